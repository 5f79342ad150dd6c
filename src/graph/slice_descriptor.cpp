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

void ReadSliceDescriptor(GraphData& graph, SliceAxis axis, long s, const std::string& descriptor) {
    const SliceFields& f = kFields[static_cast<int>(axis)];
    (graph.*f.position)(s);  // checks s before anything is set

    const std::vector<std::string> words = SplitDescriptorWords(descriptor);
    std::size_t next = 0;
    // A word missing at the end reads as an empty one.
    auto word = [&] { return next < words.size() ? words[next++] : std::string(); };
    auto number = [&] { return formula::readNumberText(word()); };
    auto whole = [&] { return roundHalfEven(number()); };
    auto flag = [&] { return word() == "1"; };

    (graph.*f.position)(s) = number();
    (graph.*f.first1)(s) = whole();
    (graph.*f.last1)(s) = whole();
    (graph.*f.first2)(s) = whole();
    (graph.*f.last2)(s) = whole();
    (graph.*f.showColor)(s) = flag();
    const bool contours = flag();
    (graph.*f.showCont)(s) = contours;
    if (contours) {
        (graph.*f.contLevels)(s) = whole();
        (graph.*f.contColor)(s) = whole();
    }
    const bool vectors = flag();
    (graph.*f.showVect)(s) = vectors;
    if (vectors) (graph.*f.vectColor)(s) = whole();
}

std::string DefaultSliceDescriptor(double position, double interval, long nodes) {
    const std::string n = std::to_string(nodes);
    return formula::formatFormulaNumber(position) + " 1 " + n + " 1 " + n + " 1 1 " +
           formula::formatFormulaNumber(interval) + " 12632256 0";
}
