#pragma once
// The text form of one slice of a 4-D graph (a slice descriptor): words
// separated by single blanks, "position first1 last1 first2 last2 colour-map
// contour [interval colour] vector [colour]". The volume result builders and
// the 4-D graph property dialog's slice list both read and write it here.
#include <cstddef>
#include <string>
#include <vector>

class GraphData;

// The three families of slices: X, Y and Z slices.
enum class SliceAxis { X, Y, Z };

// PopFirstChar: the first character of text, removed from it; "" (text stays
// empty) when text is empty.
std::string PopFirstChar(std::string& text);

// A descriptor holds at most this many words; words past it are not read.
inline constexpr std::size_t kMaxDescriptorWords = 50000;

// Splits a descriptor into words, one character at a time: a blank ends the
// current word (stored even when empty); the last word is stored when the text
// ends inside it, so a trailing blank adds no word.
std::vector<std::string> SplitDescriptorWords(std::string text);

// Reads descriptor into slice s (1 .. 50) of the family axis, word by word:
// the position as a Double, the node ranges, contour interval and colours as
// Longs (halves to even, clamped to the Long range), a flag True only when its
// word is exactly "1". A number is read from the start of its word ("." as the
// decimal point); a word without one, or a word missing at the end, reads 0 or
// False. The slice counts are not changed. An s outside 1 .. 50 throws
// std::out_of_range before anything is set.
void ReadSliceDescriptor(GraphData& graph, SliceAxis axis, long s, const std::string& descriptor);

// The descriptor of a default slice at position over nodes 1 .. nodes along
// both axes of its plane, with the colour map and contour lines every interval
// in light grey (12632256), without vectors.
std::string DefaultSliceDescriptor(double position, double interval, long nodes);
