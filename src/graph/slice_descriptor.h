#pragma once
// The text form of one slice of a 4-D graph (a slice descriptor): words
// separated by single blanks, "position first1 last1 first2 last2 colour-map
// contour [interval colour] vector [colour]". The volume result builders,
// "Edit..." and the 4-D graph property dialog's slice lists all read and write
// it here. Numbers are written with "." as the decimal point whatever the
// locale, and read with "." or ",", so a line written once reads back the same.
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

// The words of one slice, as a descriptor holds them. The contour interval is
// kept as written (the builders write a fractional one); storing it into a
// graph rounds it.
struct SliceLine {
    double position = 0;
    long first1 = 0, last1 = 0, first2 = 0, last2 = 0;
    bool showColor = false, showCont = false;
    double contLevels = 0;
    long contColor = 0;
    bool showVect = false;
    long vectColor = 0;
    bool operator==(const SliceLine&) const = default;
};

// Whether a descriptor ends with a blank after its last word, as the lines
// "Edit..." writes do, or without one, as the dialog's Add and the builders.
enum class SliceLineEnd { NoBlank, Blank };

// The descriptor of a slice: the interval and contour colour only when the
// contour flag is on, the vector colour only when the vector flag is on.
std::string WriteSliceDescriptor(const SliceLine& line, SliceLineEnd end = SliceLineEnd::NoBlank);

// Slice s (1 .. 50) of the family axis as its words; throws std::out_of_range
// for an s outside the tables.
SliceLine SliceOf(const GraphData& graph, SliceAxis axis, long s);

// The words of a descriptor: a number read from the start of its word, "." or
// "," as the decimal point ("0,5" is 0.5); a word without one, or a word
// missing at the end, reads 0 or False; a flag True only when its word is
// exactly "1"; the words after a flag that is off are not read.
SliceLine ParseSliceDescriptor(const std::string& descriptor);

// Stores line into slice s (1 .. 50) of the family axis: the node ranges,
// contour interval and colours as Longs (halves to even, clamped to the Long
// range); the interval and contour colour only when the contour flag is on,
// the vector colour only when the vector flag is on. The slice counts are not
// changed. An s outside 1 .. 50 throws std::out_of_range before anything is set.
void StoreSlice(GraphData& graph, SliceAxis axis, long s, const SliceLine& line);

// Reads descriptor into slice s (1 .. 50) of the family axis: StoreSlice of
// ParseSliceDescriptor.
void ReadSliceDescriptor(GraphData& graph, SliceAxis axis, long s, const std::string& descriptor);

// The contour colour of new slices: light grey, &HC0C0C0.
inline constexpr long kSliceContourGrey = 12632256;

// The descriptor of a default slice at position over nodes 1 .. nodes along
// both axes of its plane, with the colour map and contour lines every interval
// in light grey (12632256), without vectors.
std::string DefaultSliceDescriptor(double position, double interval, long nodes);
