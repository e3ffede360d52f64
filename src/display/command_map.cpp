#include "display/command_map.hpp"

#include <algorithm>

namespace kro {

namespace {

using R = Receiver;

// Menu, tool-bar and context-menu texts of every command, and the window
// that receives it. Kept in ascending order of id (checked by the tests).
const std::vector<CommandInfo> kTable = {
    {19, "Work parameters...", "Work parameters\nWork parameters", R::Frame},
    {20, "Return", "", R::None},
    {22, "Rectilinearity of vibrations...", "", R::Waveform},
    {37, "Azimuth of vibrations...", "", R::Waveform},
    {38, "Planarity of vibrations...", "", R::Waveform},
    {43, "Show", "Show the particle-motion dialog", R::Frame},
    {104, "Restore initial scale", "Scale\nScale", R::Map},
    {113, "Print map", "", R::None},
    {114, "Redraw ", "", R::None},
    {116, "Increase", "Expand map\nExpand map", R::Map},
    {117, "Reduce", "Zoom out map\nZoom out map", R::Map},
    {118, "right", "Scroll map right\nScroll map right", R::Map},
    {119, "left", "Scroll map left\nScroll map left", R::Map},
    {120, "up", "Scroll map up\nScroll map up", R::Map},
    {121, "down", "Scroll map down\nScroll map down", R::Map},
    {133, "code", "", R::Waveform},
    {606, "Draw waveforms", "Draw waveforms\nDraw waveforms", R::Waveform},
    {32701, "Select...", "Select...\n Select channels for viewing and processing", R::Waveform},
    {32704, "Filter", "Linear filter \n Linear filter", R::Waveform},
    {32705, "Waveforms", "Activate the waveform window\nWaveforms", R::Frame},
    {32707, "Map", "Activate the map window\nMap", R::Frame},
    {32708, "List of all phases", "Activate the list of all phases\nList of all phases", R::Frame},
    {32711, "Azimuth by 3 components", "Azimuth for 3 components \n Azimuth for 3 components", R::Waveform},
    {32712, "Marks of phases", "Mark phase\nMark phase", R::Waveform},
    {32715, "Save list of all phases", "Save list of all phases\nSave list of all phases", R::PhaseList},
    {32717, "Estimate distance to epicenter...", "", R::Waveform},
    {32719, "Load list of phases from file", "Load list of phases from file\nLoad list of phases from file",
     R::PhaseList},
    {32723, "Estimate location of hypo", "Estimate location of hypocenter\nEstimate location of hypocenter",
     R::Waveform},
    {32724, "Automatic adjustment of phases...", "", R::Waveform},
    {32727, "Save windows coordinates", "", R::None},
    {32728, "Restore windows coordinates", "", R::None},
    {32729, "Add list of phases from file", "Add list of phases from file\nAdd list of phases from file",
     R::PhaseList},
    {32731, "Save list of phases to database", "Save list of phases to DB\n Save list of phases to DB", R::PhaseList},
    {32732, "Load list of phases from database", "Load list of phases from DB...\n Load list of phases from DB.",
     R::PhaseList},
    {32733, "Calculation of period(s) and amplitude(mkm.) ",
     "Calculate period(s) and amplitude(mkm.) \nCalculate period(s) and amplitude(mkm.) ", R::Waveform},
    {32735, "In full window", "Fit waveform diagrams in full windows\n Fit waveform diagrams in full windows",
     R::Waveform},
    {32737, "Remove filter", "Remove filter\nRemove filter", R::Waveform},
    {32768, "Azimuth by P-wave arrivals", "", R::Waveform},
    {32769, "Font", "Choose the font of captions and trace labels", R::Frame},
    {32771, "Redraw", "", R::Waveform},
    {32772, "Show marks of pases from database", "Draw phase marks from DB\nDraw phase marks from DB", R::Waveform},
    {32773, "Print", "", R::None},
    {32774, "Adjust scale by amplitude", "Align waveform diagrams by amplitude\nAlign waveform diagrams by amplitude",
     R::Waveform},
    {32775, "Adjust marks", "", R::Waveform},
    {32776, "Verticals", "", R::None},
    {32777, "Horizontals", "", R::None},
    {32779, "Horizontals", "", R::None},
    {32780, "Center", "", R::None},
    {32783, "Clear list of phases", "", R::PhaseList},
    {33015, "Expand vertically", "Expand vertically\nExpand vertically", R::Waveform},
    {33016, "Compress vertically", "Compress vertically\nCompress vertically", R::Waveform},
    {33017, "Scroll left", "Scroll left...\nScroll left...", R::Waveform},
    {33018, "Scroll right", "Scroll right\n Scroll right", R::Waveform},
    {33019, "Scroll up", "Scroll up...\nScroll up...", R::Waveform},
    {33020, "Scroll down", "Scroll down...\nScroll down...", R::Waveform},
    {33021, "Expand horizontally", "Expand horizontally\nExpand horizontally", R::Waveform},
    {33022, "Compress horizontally", "Compress horizontally\nCompress horizontally", R::Waveform},
    {33023, "Return back", "Return back\n Return back", R::Waveform},
    {33025, "Verticals", "", R::None},
    {33036, "Delete selected phase from list", "Delete selected phase from list\nDelete phase ", R::PhaseList},
    {33041, "Draw levels of heights and depths", "Draw levels of heights and depths\nDraw levels of heights and depths",
     R::Map},
    {33043, "Draw coastline", "Draw coastlines contours\nDraw coastlines contours", R::Map},
    {33044, "Draw simple map", "Draw simple map\n Draw simple map", R::Map},
    {33053, "Draw azimuth", "", R::Map},
    {33054, "Cancel start for epicenter's calc", "", R::Map},
    {33055, "Save list of phases for HYPO71",
     "Save list of phases in format HYPO71\nSave list of phases in format HYPO71", R::PhaseList},
    {33056, "Center waveform diagrams", "Center waveform diagrams\nCenter waveform diagrams", R::Waveform},
    {33057, "Adjust scale by time", "Align all waveform diagrams in time\nAlign in time", R::Waveform},
    {33080, "Output marks of data acquisition system", "Show system events\nShow system events", R::Waveform},
    {33082, "Add window", "Add window to DSP\nAdd window to DSP", R::Workbench},
    {33083, "Remove window", "", R::Workbench},
    {33086, "Scale", "Scale\nScale", R::Workbench},
    {33087, "Shift DSP window down", "Shift DSP window down\nShift DSP window down", R::Workbench},
    {33088, "Scroll DSP window up", "Scroll DSP window up\nScroll DSP window up", R::Workbench},
    {33089, "Scroll DSP window left", "Scroll DSP window left\nScroll DSP window left", R::Workbench},
    {33090, "Scroll DSP window right", "Scroll DSP window right\nScroll DSP window right", R::Workbench},
    {33091, "Contract DSP window vertically", "Contract DSP window vertically\nContract DSP window vertically",
     R::Workbench},
    {33092, "Expand DSP window vertically", "Expand DSP window vertically\nExpand DSP window vertically",
     R::Workbench},
    {33097, "Expand DSP window horizontally", "Expand DSP window horizontally\nExpand DSP window horizontally",
     R::Workbench},
    {33098, "Contract DSP window horizontally", "Contract DSP window horizontally\nContract DSP window horizontally",
     R::Workbench},
    {33099, "Logarithmic scaling", "Logarithmic scaling\nLogarithmic scaling", R::Workbench},
    {33100, "Overlay diagrams...", "", R::Workbench},
    {33101, "Save work area...", "", R::Workbench},
    {33102, "Load work area...", "", R::Workbench},
    {33105, "DSP", "Activate the digital signal processor\nDSP", R::Frame},
    {33106, "Insert phase", "", R::PhaseList},
    {33107, "Hodograph ...", "", R::Waveform},
    {33108, "Fix window", "Fix window\nFix window", R::Workbench},
    {33109, "Remove files from disk loop...", "", R::Waveform},
    {33110, "Start processing for new earthquake", "Start processing of new signal", R::Waveform},
    {33111, "Get report on the earthquake", "", R::Waveform},
    {33112, "Select station and channel...", "", R::Waveform},
    {33114, "Superimpose diagram", "", R::Waveform},
    {33116, "Save data to file", "Save data in file\nSave data in file", R::Workbench},
    {33117, "Load data from file", "Load data from file\nLoad data from file", R::Workbench},
    {33118, "Data accumulation properties for active window", "", R::Workbench},
    {33123, "Diagram of hodographs", "", R::Waveform},
    {33125, "Save list of phases in short format", "", R::PhaseList},
    {33126, "Filter constructor", "", R::Waveform},
    {33132, "Start detector STA\\LTA", "", R::Waveform},
    {33134, "clear list of detections", "", R::Waveform},
    {33135, "Remove interval marks", "Delete interval labels\nDelete interval labels", R::Waveform},
    {33136, "Version of KRO", "", R::Waveform},
    {33137, "Simulation of bias", "", R::Waveform},
    {33138, "Simulation of WWSSSP", "", R::Waveform},
    {33139, "Simulation of KIRNOS", "", R::Waveform},
    {33140, "Simulation of Wood-Anderson", "", R::Waveform},
    {33141, "Simulation of LPSRO", "", R::Waveform},
    {33142, "Simulation of WWSSLP", "", R::Waveform},
    {33143, "Load list of channels", "", R::Waveform},
    {33144, "Save list of channels", "", R::Waveform},
    {33145, "Formula", "Convert signal\nConvert signal", R::Waveform},
    {33147, "Formula wizard", "Formula wizard\nFormula wizard", R::Workbench},
    {33148, "Draw common vertical cursor", "", R::Waveform},
    {33149, "Edit list of networks", "", R::Frame},
    {33150, "*Add phase from ARR_ALERT", "", R::PhaseList},
    {33153, "Save processing results to files CSS( .origin, .arrival, .assoc )", "", R::PhaseList},
    {33155, "Reconnect to database", "", R::Frame},
    {33156, "Remove phases in selected interval", "", R::Waveform},
    {33158, "Include phase in calc", "", R::Waveform},
    {33159, "Exclude phase from calc", "", R::Waveform},
    {33160, "by Calib and Calper", "", R::Waveform},
    {33161, "Save list of phases in summary-processing format", "", R::PhaseList},
    {33162, "Scale", "", R::Waveform},
    {33164, "by AFR", "", R::Waveform},
    {33165, "number in database", "", R::Waveform},
    {33166, "arrival times of phases", "", R::Waveform},
    {33167, "Save data in format CSS 3.0 ...", "", R::Waveform},
    {33168, "Options...", "", R::Waveform},
    {33169, "Adjust initial and converted signals to one scale",
     "Adjust initial and converted signals to one scale\nAdjust initial and converted signals to one scale",
     R::Waveform},
    {33170, "Calculate class by nomogramm Раутиан", "", R::Waveform},
    {33171, "To the bias by AFR", "", R::Waveform},
    {33172, "Simulation of WWSSSP with AFR", "", R::Waveform},
    {33173, "Simulation of WWSSLP with AFR", "", R::Waveform},
    {33174, "Simulation of LPSRO with AFR", "", R::Waveform},
    {33175, "Simulation of KIRNOS with AFR", "", R::Waveform},
    {33176, "Simulation of Wood-Anderson with AFR", "", R::Waveform},
    {33177, "Copy data to clipboard", "", R::Workbench},
    {33179, "Insert data from clipboard", "", R::Workbench},
    {33180, "Station group", "", R::Map},
    {33181, "Save processing results from database to files CSS( .origin, .arrival, .assoc )", "", R::PhaseList},
    {33182, "Azimuth and distance from coordinates specified ...", "", R::Waveform},
    {33183, "Adjust toolbar", "", R::Waveform},
    {33184, "Normalize amplitude", "", R::Waveform},
    {33185, "Parameters of hypocenter", "Parameters of hypocenter\nParameters of hypocenter", R::PhaseList},
    {33186, "Adjust toolbar", "", R::PhaseList},
    {33187, "Calculate energy class \"Раутиан по ВЭГИК\"", "", R::Waveform},
    {33188, "Simulation of ВЭГИК with AFR", "", R::Waveform},
    {33190, "Edit list of views and catalogues", "", R::Frame},
    {33191, "Show window with list of events processed", "", R::Frame},
    {33192, "Load the list of events for last day", "", R::Frame},
    {33193, "Load the list of events for last week", "", R::Frame},
    {33194, "Load list of phases in format IMS", "Load list of phases in IMS\nLoad list of phases in IMS", R::PhaseList},
    {33195, "Recalc residuals and distance for current epicenter", "", R::PhaseList},
    {33197, "*New epicentry", "", R::Waveform},
    {33198, "Start program LSE", "", R::Waveform},
    {33200, "Load list of phases from secondary DB", "", R::PhaseList},
    {33201, "Select station and channel...", "", R::Waveform},
    {33202, "Create new window", "", R::Waveform},
    {33203, "alphabet", "", R::Waveform},
    {33204, "number on screen", "", R::Waveform},
    {33205, "Select converted signal", "", R::Waveform},
    {33206, "Select initial signal", "", R::Waveform},
    {33207, "Activate all windows", "", R::Waveform},
    {33208, "Deactivate all windows", "", R::Waveform},
    {33209, "Sort...", "Sort...", R::Waveform},
    {33210, "Load data in format CSS 3.0...", "", R::Waveform},
    {33211, "distance from epicenter", "", R::Waveform},
    {57650, "Cascade", "Arrange the windows so that they overlap\nCascade", R::Frame},
    {57651, "horizontal", "Arrange the windows as non-overlapping tiles, one above the other\nTile horizontally",
     R::Frame},
    {57652, "vertical", "Arrange the windows as non-overlapping tiles side by side\nTile vertically", R::Frame},
    {57665, "Exit", "Quit the program\nExit", R::Frame},
};

using E = MenuEntry;
E item(int id, std::string_view text = {}) { return E{E::Command, id, text, false, false}; }
E checked(int id) { return E{E::Command, id, {}, true, false}; }
E grayed(int id) { return E{E::Command, id, {}, false, true}; }
E sep() { return E{E::Separator, 0, {}, false, false}; }
E sub(std::string_view title) { return E{E::Submenu, 0, title, false, false}; }
E end() { return E{E::EndSubmenu, 0, {}, false, false}; }

const std::vector<MenuDef>& build_main_menu() {
    static const std::vector<MenuDef> menus = {
        {"Functions",
         R::Waveform,
         {item(33110), sep(),
          sub("Convert input signal"), item(33145), item(32704), item(33171), item(33172), item(33173), item(33174),
          item(33175), item(33176), item(33188), end(),
          item(32737), sep(),
          item(22), item(38), item(37), sep(),
          item(32711), item(32768), sep(),
          sub("Calculation of period(s) and amplitude(mkm.) "), item(33164), item(33160), end(),
          item(32717), item(32723), item(33197), item(33198), item(32724), item(33107), grayed(33123), item(33182), sep(),
          sub("Motion of particles"), item(43), end(), sep(),
          item(33210), item(33167), sep(),
          sub("Options"), item(19), item(32769), end(),
          item(33109), sep(),
          item(33111), sep(),
          sub("Detector"), item(33134), item(33132), end(), sep(),
          item(33143), item(33144), sep(),
          item(33190), item(33155), item(33149), item(33136), sep(),
          item(33183), item(57665)}},
        {"Waveforms",
         R::Waveform,
         {checked(606), item(33148), item(33080), item(32772), item(32701), item(33201), item(33202), item(32771),
          grayed(32773), item(32774), item(33057), item(32775), item(32712), item(20),
          sub("Extend by"), item(32776), item(32777), end(),
          sub("Compress by"), item(33025), item(32779), end(),
          item(32780), item(33156), item(32735), sep(),
          item(33187), item(33170), item(133), sep(),
          item(33114), sep(),
          item(33135),
          sub("Simulation..."), item(33137), item(33141), item(33142), item(33138), item(33139), item(33140), end(),
          sub("Sort diagrams by"), item(33165), item(33166), item(33203), item(33204), item(33211), end(), sep(),
          item(33168), checked(33184), item(33183)}},
        {"List of phases",
         R::PhaseList,
         {item(33125), item(33150), item(33161), item(33055), item(32715), item(33153), item(33181), item(33194), item(32719),
          item(32729), item(32731), item(32732), item(33200), item(33106), sep(),
          item(32783), sep(),
          item(33195), item(33185), sep(),
          item(33191), sep(),
          item(33186)}},
        {"DSP",
         R::Workbench,
         {item(33118), sep(), item(33082), item(33083), item(33108), item(33100), sep(), item(33116), item(33117), sep(),
          item(33101), item(33102), item(33177), item(33179)}},
        {"Map",
         R::Map,
         {grayed(113), item(114), item(116), item(117),
          sub("Scroll map"), item(118), item(119), item(120), item(121), end(),
          item(104), sep(), item(33044), item(33043), item(33041), sep(), checked(33053), sep(),
          item(33185, "Edit parameters of hypocenter")}},
        {"Windows",
         R::Frame,
         {item(57650), sub("mosaic"), item(57652), item(57651), end(), item(32727), item(32728)}},
    };
    return menus;
}

}  // namespace

const char* to_string(Receiver receiver) {
    switch (receiver) {
        case Receiver::Frame: return "frame";
        case Receiver::Waveform: return "waveform window";
        case Receiver::PhaseList: return "phase list";
        case Receiver::Workbench: return "workbench";
        case Receiver::Map: return "map window";
        case Receiver::None: return "none";
    }
    return "none";
}

const std::vector<CommandInfo>& command_table() { return kTable; }

bool is_toggle_command(int id) {
    switch (id) {
        case 606: case 32712: case 32772: case 33053: case 33057: case 33080: case 33148: case 33165: case 33166:
        case 33184: case 33203:
            return true;
        default:
            return false;
    }
}

const CommandInfo* find_command(int id) {
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), id,
                                     [](const CommandInfo& c, int wanted) { return c.id < wanted; });
    return it != kTable.end() && it->id == id ? &*it : nullptr;
}

std::string command_prompt(int id) {
    const CommandInfo* c = find_command(id);
    if (!c) return {};
    if (c->resource.empty()) return std::string(c->text);
    return std::string(c->resource.substr(0, c->resource.find('\n')));
}

std::string command_tool_tip(int id) {
    const CommandInfo* c = find_command(id);
    if (!c) return {};
    const auto newline = c->resource.find('\n');
    return newline == std::string_view::npos ? std::string() : std::string(c->resource.substr(newline + 1));
}

std::string_view entry_text(const MenuEntry& entry) {
    if (!entry.text.empty() || entry.kind != MenuEntry::Command) return entry.text;
    const CommandInfo* c = find_command(entry.id);
    return c ? c->text : std::string_view();
}

const std::vector<MenuDef>& main_menu() { return build_main_menu(); }

const std::vector<ContextMenuDef>& context_menus() {
    static const std::vector<ContextMenuDef> menus = {
        {157,
         R::Waveform,
         {item(33112), item(32771), item(32735, "Fullscreen"), sep(), item(32712, "Cancel phase"), item(33159),
          item(33158), item(33156, "Remove phase from interval"), sep(), item(33162)}},
        {741,
         R::Waveform,
         {item(33112, "Select station and channel"), sep(), item(32771), sep(), item(32712, "Mark phase"), item(33159),
          item(33158), item(33156, "Remove phases in interval"), sep(), item(33162), item(33205), item(33206), item(33207),
          item(33208)}},
        {740, R::Waveform, {item(33164), item(33160)}},
        {175,
         R::Map,
         {item(114), item(116), item(117), sub("Scroll map "), item(118), item(119), item(120), item(121), end(), item(104),
          item(33185), item(33054)}},
        {758, R::Frame, {item(33192), item(33193)}},
    };
    return menus;
}

const ContextMenuDef* find_context_menu(int id) {
    for (const auto& m : context_menus())
        if (m.id == id) return &m;
    return nullptr;
}

const std::vector<ToolbarDef>& toolbar_defs() {
    constexpr int S = kToolbarSeparator;
    static const std::vector<ToolbarDef> bars = {
        {"WAVEFORMS",
         128,
         R::Waveform,
         {33110, S, 32701, S, 32711, 32723, S, 32733, S, 32772, 33080, 32712, 33135, S, 32731, 32732, 606, 32704,
          33145, 32737, 32735, 33023, S, 33209, S, 33020, 33019, 33017, 33018, S, 33056, 33015, 33016, 33022, 33021, S,
          32774, 33057, 33169, 19},
         {32704, 33209, 33145, 32733}},
        {"MAP", 130, R::Map, {32723, S, 33041, 33043, 33044, S, 117, 116, 104, S, 121, 120, 119, 118, S, 33180, 33185},
         {}},
        {"PHASELIST", 160, R::PhaseList, {32729, 32715, 32719, 33055, S, 32723, 32731, 32732, S, 33194, S, 33036, 33185},
         {}},
        {"DSP",
         203,
         R::Workbench,
         {33082, S, 33147, S, 33117, 33116, S, 33092, 33091, 33098, 33097, 33086, S, 33087, 33088, 33089, 33090, S,
          33099, 33108},
         {}},
    };
    return bars;
}

const ToolbarDef* find_toolbar(std::string_view name) {
    for (const auto& t : toolbar_defs())
        if (t.name == name) return &t;
    return nullptr;
}

}  // namespace kro
