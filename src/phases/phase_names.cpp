#include "phases/phase_names.hpp"

#include <fstream>

namespace kro {

namespace {

const std::vector<std::pair<std::string, std::string>>& built_in_pairs() {
    static const std::vector<std::pair<std::string, std::string>> pairs{
        {"P", "P"},           {"S", "S"},           {"PKiKP", "pkikp"},      {"PKPdf", "PKP(df)"},
        {"Pn", "P_n"},        {"Pg", "P_g"},        {"Sn", "S_n"},           {"Sg", "S_g"},
        {"LQ", "LQ"},         {"LR", "LR"},         {"LRM", "LRM"},          {"Lg", "L_g"},
        {"Rg", "R_g"},        {"PKKPab", "PKKP(ab)"}, {"PKKPbc", "PKKP(bc)"}, {"PKKPdf", "PKKP(df)"},
        {"PKPPKP", "PKPPKP"}, {"PKP", "PKP"},       {"PKPab", "PKP(ab)"},    {"PKPbc", "PKP(bc)"},
        {"PP", "PP"},         {"PPP", "PPP"},       {"PPS", "PPS"},          {"PS", "PS"},
        {"Pb", "P_b"},        {"PcP", "P_cP"},      {"PcS", "P_cS"},         {"pPKiKP", "_pPKiKP"},
        {"pPKP", "_pPKP"},    {"SKKS", "SKKS"},     {"SKKSac", "SKKS(ac)"},  {"SKKSdf", "SKKS(df)"},
        {"SKPab", "SKP(ab)"}, {"SKPdf", "SKP(df)"}, {"SKSac", "SKS(ac)"},    {"SKSdf", "SKS(df)"},
        {"SP", "SP"},         {"SPP", "SPP"},       {"SS", "SS"},            {"SSS", "SSS"},
        {"Sb", "S_b"},        {"ScP", "S_cP"},      {"ScS", "S_cS"},         {"pP", "_pP"},
        {"pS", "_pS"},        {"sP", "_sP"},        {"sS", "_sS"},           {"sPcP", "_sP_cP"},
        {"sPKSab", "_sPKS(ab)"}, {"sPKSbc", "_sPKS(bc)"}, {"sPKSdf", "_sPKS(df)"}, {"sPKKPdf", "_sPKKP(df)"},
    };
    return pairs;
}

const std::string kEmpty;

}  // namespace

const std::vector<std::string>& phase_marks_without_curve() {
    static const std::vector<std::string> marks{"tx", "Sx", "Unk", "_", "N", "I", "E", "Tk"};
    return marks;
}

PhaseNameTable::PhaseNameTable() { load_built_in(); }

bool PhaseNameTable::load(const std::string& folder) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += "phaselist";
    std::ifstream in(path);
    if (!in) {
        load_built_in();
        return false;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string name, curve;
    while (in >> name >> curve) pairs.emplace_back(name, curve);
    assign(pairs);
    return true;
}

void PhaseNameTable::load_built_in() { assign(built_in_pairs()); }

void PhaseNameTable::assign(const std::vector<std::pair<std::string, std::string>>& pairs) {
    names_.clear();
    curves_.clear();
    for (const auto& [name, curve] : pairs) {
        if (name.empty() || curve.empty()) continue;
        names_.push_back(name);
        curves_.push_back(curve);
    }
    finish();
}

void PhaseNameTable::finish() {
    for (const std::string& mark : phase_marks_without_curve()) {
        names_.push_back(mark);
        curves_.emplace_back();
    }
    available_.assign(names_.size(), 0);
    index_.clear();
    for (std::size_t i = 0; i < names_.size(); ++i) index_[names_[i]] = static_cast<int>(i);
}

const std::string& PhaseNameTable::phase_name(int index) const {
    return index >= 0 && index < phase_count() ? names_[static_cast<std::size_t>(index)] : kEmpty;
}

const std::string& PhaseNameTable::curve_name(int index) const {
    return index >= 0 && index < phase_count() ? curves_[static_cast<std::size_t>(index)] : kEmpty;
}

int PhaseNameTable::phase_index(std::string_view name) const {
    const auto it = index_.find(std::string(name));
    return it == index_.end() ? -1 : it->second;
}

bool PhaseNameTable::curve_available(int index) const {
    return index >= 0 && index < phase_count() && available_[static_cast<std::size_t>(index)] != 0;
}

void PhaseNameTable::set_curve_available(int index, bool available) {
    if (index >= 0 && index < phase_count()) available_[static_cast<std::size_t>(index)] = available ? 1 : 0;
}

}  // namespace kro
