#include "graph/slice_descriptor.h"

#include "formula/number_text.h"
#include "graph/graph_data.h"
#include "state/whole_number.h"

namespace {

// The slice properties of one family, in the order of the descriptor's words.
struct SliceFields {
    SliceArray<double> GraphData::*position;
    SliceArray<long> GraphData::*first1;
    SliceArray<long> GraphData::*last1;
    SliceArray<long> GraphData::*first2;
    SliceArray<long> GraphData::*last2;
    SliceArray<bool> GraphData::*showColor;
    SliceArray<bool> GraphData::*showCont;
    SliceArray<long> GraphData::*contLevels;
    SliceArray<long> GraphData::*contColor;
    SliceArray<bool> GraphData::*showVect;
    SliceArray<long> GraphData::*vectColor;
};

// A Y slice's first range runs along z, its second along x.
const SliceFields kFields[] = {
    {&GraphData::Slice4X, &GraphData::Slice4YZYB, &GraphData::Slice4YZYE, &GraphData::Slice4YZZB,
     &GraphData::Slice4YZZE, &GraphData::SliceXShowColor, &GraphData::SliceXShowCont, &GraphData::SliceXContLevels,
     &GraphData::SliceXContColor, &GraphData::SliceXShowVect, &GraphData::SliceXVectColor},
    {&GraphData::Slice4Y, &GraphData::Slice4ZXZB, &GraphData::Slice4ZXZE, &GraphData::Slice4ZXXB,
     &GraphData::Slice4ZXXE, &GraphData::SliceYShowColor, &GraphData::SliceYShowCont, &GraphData::SliceYContLevels,
     &GraphData::SliceYContColor, &GraphData::SliceYShowVect, &GraphData::SliceYVectColor},
    {&GraphData::Slice4Z, &GraphData::Slice4XYXB, &GraphData::Slice4XYXE, &GraphData::Slice4XYYB,
     &GraphData::Slice4XYYE, &GraphData::SliceZShowColor, &GraphData::SliceZShowCont, &GraphData::SliceZContLevels,
     &GraphData::SliceZContColor, &GraphData::SliceZShowVect, &GraphData::SliceZVectColor},
};

}  // namespace

std::string PopFirstChar(std::string& text) {
    if (text.empty()) return {};
    std::string first(1, text.front());
    text.erase(0, 1);
    return first;
}

std::vector<std::string> SplitDescriptorWords(std::string text) {
    std::vector<std::string> words;
    std::string word;
    while (!text.empty() && words.size() < kMaxDescriptorWords) {
        const std::string c = PopFirstChar(text);
        if (c == " ") {
            words.push_back(std::move(word));
            word.clear();
            continue;
        }
        word += c;
        if (text.empty()) words.push_back(std::move(word));
    }
    return words;
}

namespace {

// A number at the start of a word, "." or "," as the decimal point.
double readWordNumber(std::string word) {
    for (char& c : word)
        if (c == ',') c = '.';
    return formula::readNumberText(word);
}

std::string flagWord(bool on) { return on ? "1" : "0"; }

}  // namespace

std::string WriteSliceDescriptor(const SliceLine& line, SliceLineEnd end) {
    std::vector<std::string> words = {formula::formatFormulaNumber(line.position),
                                      std::to_string(line.first1),
                                      std::to_string(line.last1),
                                      std::to_string(line.first2),
                                      std::to_string(line.last2),
                                      flagWord(line.showColor),
                                      flagWord(line.showCont)};
    if (line.showCont) {
        words.push_back(formula::formatFormulaNumber(line.contLevels));
        words.push_back(std::to_string(line.contColor));
    }
    words.push_back(flagWord(line.showVect));
    if (line.showVect) words.push_back(std::to_string(line.vectColor));

    std::string text;
    for (const std::string& w : words) text += w + ' ';
    if (end == SliceLineEnd::NoBlank) text.pop_back();
    return text;
}

SliceLine SliceOf(const GraphData& graph, SliceAxis axis, long s) {
    const SliceFields& f = kFields[static_cast<int>(axis)];
    SliceLine line;
    line.position = (graph.*f.position)(s);
    line.first1 = (graph.*f.first1)(s);
    line.last1 = (graph.*f.last1)(s);
    line.first2 = (graph.*f.first2)(s);
    line.last2 = (graph.*f.last2)(s);
    line.showColor = (graph.*f.showColor)(s);
    line.showCont = (graph.*f.showCont)(s);
    line.contLevels = static_cast<double>((graph.*f.contLevels)(s));
    line.contColor = (graph.*f.contColor)(s);
    line.showVect = (graph.*f.showVect)(s);
    line.vectColor = (graph.*f.vectColor)(s);
    return line;
}

SliceLine ParseSliceDescriptor(const std::string& descriptor) {
    const std::vector<std::string> words = SplitDescriptorWords(descriptor);
    std::size_t next = 0;
    // A word missing at the end reads as an empty one.
    auto word = [&] { return next < words.size() ? words[next++] : std::string(); };
    auto number = [&] { return readWordNumber(word()); };
    auto whole = [&] { return roundHalfEven(number()); };
    auto flag = [&] { return word() == "1"; };

    SliceLine line;
    line.position = number();
    line.first1 = whole();
    line.last1 = whole();
    line.first2 = whole();
    line.last2 = whole();
    line.showColor = flag();
    line.showCont = flag();
    if (line.showCont) {
        line.contLevels = number();
        line.contColor = whole();
    }
    line.showVect = flag();
    if (line.showVect) line.vectColor = whole();
    return line;
}

void StoreSlice(GraphData& graph, SliceAxis axis, long s, const SliceLine& line) {
    const SliceFields& f = kFields[static_cast<int>(axis)];
    (graph.*f.position)(s);  // checks s before anything is set

    (graph.*f.position)(s) = line.position;
    (graph.*f.first1)(s) = line.first1;
    (graph.*f.last1)(s) = line.last1;
    (graph.*f.first2)(s) = line.first2;
    (graph.*f.last2)(s) = line.last2;
    (graph.*f.showColor)(s) = line.showColor;
    (graph.*f.showCont)(s) = line.showCont;
    if (line.showCont) {
        (graph.*f.contLevels)(s) = roundHalfEven(line.contLevels);
        (graph.*f.contColor)(s) = line.contColor;
    }
    (graph.*f.showVect)(s) = line.showVect;
    if (line.showVect) (graph.*f.vectColor)(s) = line.vectColor;
}

void ReadSliceDescriptor(GraphData& graph, SliceAxis axis, long s, const std::string& descriptor) {
    StoreSlice(graph, axis, s, ParseSliceDescriptor(descriptor));
}

std::string DefaultSliceDescriptor(double position, double interval, long nodes) {
    SliceLine line;
    line.position = position;
    line.first1 = line.first2 = 1;
    line.last1 = line.last2 = nodes;
    line.showColor = line.showCont = true;
    line.contLevels = interval;
    line.contColor = kSliceContourGrey;
    return WriteSliceDescriptor(line);
}
