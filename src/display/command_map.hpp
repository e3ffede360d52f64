#pragma once
// The command map of the workstation: every command number with its texts
// and the window that receives it, and the layouts of the main menu, the
// context menus and the four tool bars, which name commands by number only.
// Menus, context menus and tool bars are all built from these tables.

#include <string>
#include <string_view>
#include <vector>

namespace kro {

// The windows that receive commands. None: no window handles the command.
enum class Receiver { Frame, Waveform, PhaseList, Workbench, Map, None };

const char* to_string(Receiver receiver);

struct CommandInfo {
    int id;
    std::string_view text;      // the item's text in the main menu (or on the tool bar)
    std::string_view resource;  // "prompt\ntool tip"; a text without "\n" gives no tool tip; empty: text is the prompt
    Receiver receiver;
};

// One entry per command number, in ascending order of id.
const std::vector<CommandInfo>& command_table();
// Nothing when the id is not in the table.
const CommandInfo* find_command(int id);

// The prompt shown in pane 0 of the status bar: the part of the text
// resource before "\n", or the menu text when the command has no resource.
std::string command_prompt(int id);
// The tool tip: the part of the text resource after "\n", empty without one.
std::string command_tool_tip(int id);

struct MenuEntry {
    enum Kind { Command, Separator, Submenu, EndSubmenu };
    Kind kind = Command;
    int id = 0;                 // Command only
    std::string_view text;      // Submenu: its title; Command: a text differing from the table's, or empty
    bool checked = false;       // initial check mark
    bool grayed = false;        // shown disabled in the menu resource
};

// The text an entry shows: its own text, else the command's table text.
std::string_view entry_text(const MenuEntry& entry);

struct MenuDef {
    std::string_view title;
    Receiver owner;  // the child window activated when the menu opens; Frame for "Windows"
    std::vector<MenuEntry> entries;
};

// The top-level menus in bar order: "Functions", "Waveforms",
// "List of phases", "DSP", "Map", "Windows".
const std::vector<MenuDef>& main_menu();

struct ContextMenuDef {
    int id;  // 157, 741, 740, 175, 758
    Receiver owner;
    std::vector<MenuEntry> entries;
};

const std::vector<ContextMenuDef>& context_menus();
// Nothing when no context menu has that number.
const ContextMenuDef* find_context_menu(int id);

inline constexpr int kToolbarSeparator = 0;
// The place of the station-group list inside the "MAP" tool bar.
inline constexpr int kStationGroupListId = 33180;

struct ToolbarDef {
    std::string_view name;  // also the value name under KRO\TOOLBAR
    int resource;
    Receiver owner;
    std::vector<int> buttons;  // command ids in order; kToolbarSeparator marks a separator
    std::vector<int> drop_downs;  // buttons with an arrow
};

// "WAVEFORMS", "MAP", "PHASELIST", "DSP" in creation order.
const std::vector<ToolbarDef>& toolbar_defs();
const ToolbarDef* find_toolbar(std::string_view name);

// Commands that switch a state on and off: their menu items carry a check
// mark and their tool buttons stay pressed while the state is on.
bool is_toggle_command(int id);

// Command numbers of the frame's window buttons, in the order they sit on
// the status bar: tile horizontally, tile vertically, cascade, waveform
// window, phase list, workbench, map.
inline constexpr int kWindowButtonIds[7] = {57651, 57652, 57650, 32705, 32708, 33105, 32707};

// Command numbers used by the frame itself.
namespace cmd {
inline constexpr int WorkParameters = 19;
inline constexpr int ShowParticleMotion = 43;
inline constexpr int SelectChannels = 32701;
inline constexpr int ActivateWaveforms = 32705;
inline constexpr int ActivateMap = 32707;
inline constexpr int ActivatePhaseList = 32708;
inline constexpr int ActivateWorkbench = 33105;
inline constexpr int Font = 32769;
inline constexpr int EditNetworks = 33149;
inline constexpr int Reconnect = 33155;
inline constexpr int EditFolderMapping = 33190;
inline constexpr int ShowEvents = 33191;
inline constexpr int Cascade = 57650;
inline constexpr int TileHorizontally = 57651;
inline constexpr int TileVertically = 57652;
inline constexpr int Exit = 57665;
inline constexpr int AdjustWaveformToolbar = 33183;
inline constexpr int AdjustPhaseListToolbar = 33186;
}  // namespace cmd

}  // namespace kro
