#pragma once
// The phase-name table: every phase name a pick can carry, the name of its
// travel-time curve, and whether that curve is loaded. Fixed for the run
// once loaded; the travel-time tables mark the curves available.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kro {

class PhaseNameTable {
public:
    // The built-in table.
    PhaseNameTable();

    // Reads `folder`/phaselist: whitespace-separated words taken two at a
    // time (phase name, curve name). When the file does not open the
    // built-in pairs are used. Either way the eight marks "tx", "Sx", "Unk",
    // "_", "N", "I", "E", "Tk" follow with no curve. Every curve starts not
    // available. Returns whether the file was read.
    bool load(const std::string& folder);
    // Replaces the table by the built-in pairs and the eight marks.
    void load_built_in();
    // Replaces the table by these pairs and the eight marks.
    void assign(const std::vector<std::pair<std::string, std::string>>& pairs);

    int phase_count() const { return static_cast<int>(names_.size()); }
    // Empty for an index outside the table.
    const std::string& phase_name(int index) const;
    const std::string& curve_name(int index) const;
    // -1 when the name is not in the table; a repeated name gives its last index.
    int phase_index(std::string_view name) const;

    bool curve_available(int index) const;
    void set_curve_available(int index, bool available);
    // A pick of this phase may take part in computations: it has a curve
    // name and the curve is loaded.
    bool may_include(int index) const { return !curve_name(index).empty() && curve_available(index); }

private:
    void finish();

    std::vector<std::string> names_;
    std::vector<std::string> curves_;
    std::vector<char> available_;
    std::unordered_map<std::string, int> index_;
};

// The phase names of the eight marks that have no travel-time curve.
const std::vector<std::string>& phase_marks_without_curve();

}  // namespace kro
