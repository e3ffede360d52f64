#include "display/command_map.hpp"

#include <gtest/gtest.h>

#include <set>

#include "display/command_dispatcher.hpp"

namespace kro {
namespace {

TEST(CommandMap, TableIsSortedAndEveryReferencedIdHasAnEntry) {
    const auto& table = command_table();
    for (std::size_t i = 1; i < table.size(); ++i) EXPECT_LT(table[i - 1].id, table[i].id) << table[i].id;

    std::set<int> referenced;
    auto collect = [&](const std::vector<MenuEntry>& entries) {
        int depth = 0;
        for (const auto& e : entries) {
            if (e.kind == MenuEntry::Command) referenced.insert(e.id);
            if (e.kind == MenuEntry::Submenu) ++depth;
            if (e.kind == MenuEntry::EndSubmenu) --depth;
            EXPECT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0) << "unbalanced submenu";
    };
    for (const auto& m : main_menu()) collect(m.entries);
    for (const auto& m : context_menus()) collect(m.entries);
    for (const auto& t : toolbar_defs())
        for (int id : t.buttons)
            if (id != kToolbarSeparator) referenced.insert(id);
    for (int id : kWindowButtonIds) referenced.insert(id);
    for (int id : referenced) EXPECT_NE(find_command(id), nullptr) << "no table entry for " << id;
}

TEST(CommandMap, PromptsAndToolTipsComeFromTheTextResource) {
    struct Case {
        int id;
        const char* prompt;
        const char* tool_tip;
    };
    const Case cases[] = {
        {32701, "Select...", " Select channels for viewing and processing"},
        {33057, "Align all waveform diagrams in time", "Align in time"},
        {33110, "Start processing of new signal", ""},   // no "\n": no tool tip
        {33036, "Delete selected phase from list", "Delete phase "},
        {33148, "Draw common vertical cursor", ""},       // no resource: the menu text
        {99999, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(command_prompt(c.id), c.prompt) << c.id;
        EXPECT_EQ(command_tool_tip(c.id), c.tool_tip) << c.id;
    }
}

TEST(CommandMap, MenusAndToolBarsHaveTheirOwnersAndOrder) {
    std::vector<std::string> titles;
    for (const auto& m : main_menu()) titles.emplace_back(m.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"Functions", "Waveforms", "List of phases", "DSP", "Map", "Windows"}));
    EXPECT_EQ(main_menu()[3].owner, Receiver::Workbench);

    std::vector<std::string> bars;
    for (const auto& t : toolbar_defs()) bars.emplace_back(t.name);
    EXPECT_EQ(bars, (std::vector<std::string>{"WAVEFORMS", "MAP", "PHASELIST", "DSP"}));
    const ToolbarDef* wave = find_toolbar("WAVEFORMS");
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->buttons.front(), 33110);
    EXPECT_EQ(wave->buttons.back(), 19);
    EXPECT_EQ(std::set<int>(wave->drop_downs.begin(), wave->drop_downs.end()), (std::set<int>{32704, 33209, 33145, 32733}));

    // One id, different texts by place.
    const ContextMenuDef* pane = find_context_menu(741);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(entry_text(pane->entries[4]), "Mark phase");
    EXPECT_EQ(entry_text(find_context_menu(157)->entries[2]), "Fullscreen");
    EXPECT_EQ(entry_text(main_menu()[1].entries[0]), "Draw waveforms");
}

TEST(CommandDispatcher, RoutesToTheAskedWindowThenTheFrameElseDisables) {
    CommandDispatcher d;
    std::vector<std::string> calls;
    d.register_handler(Receiver::Waveform, 32701, [&] { calls.push_back("waveform 32701"); });
    d.register_handler(Receiver::Frame, 32701, [&] { calls.push_back("frame 32701"); });
    d.register_handler(Receiver::Frame, 19, [&] { calls.push_back("frame 19"); });
    d.register_handler(Receiver::Map, 116, [&] { calls.push_back("map 116"); });

    struct Case {
        Receiver asked;
        int id;
        Receiver route;
    };
    const Case cases[] = {
        {Receiver::Waveform, 32701, Receiver::Waveform},
        {Receiver::PhaseList, 32701, Receiver::Frame},  // not handled by the phase list: the frame takes it
        {Receiver::Map, 19, Receiver::Frame},
        {Receiver::Waveform, 116, Receiver::None},      // the map's command asked of the waveform window
        {Receiver::Map, 116, Receiver::Map},
        {Receiver::Waveform, 32773, Receiver::None},    // "Print": nobody
    };
    for (const auto& c : cases) {
        EXPECT_EQ(d.route(c.asked, c.id), c.route) << to_string(c.asked) << " " << c.id;
        EXPECT_EQ(d.enabled(c.asked, c.id), c.route != Receiver::None);
    }
    EXPECT_TRUE(d.dispatch(Receiver::PhaseList, 32701));
    EXPECT_FALSE(d.dispatch(Receiver::Waveform, 32773));
    EXPECT_TRUE(d.dispatch(116));  // by number: the table's receiver, the map
    EXPECT_EQ(calls, (std::vector<std::string>{"frame 32701", "map 116"}));

    d.unregister_window(Receiver::Map);
    EXPECT_FALSE(d.dispatch(116));
}

TEST(CommandDispatcher, CheckMarksReachTheListener) {
    CommandDispatcher d;
    std::vector<std::pair<int, bool>> seen;
    d.set_check_listener([&](int id, bool on) { seen.emplace_back(id, on); });
    d.set_checked(606, true);
    d.set_checked(33148, false);
    EXPECT_TRUE(d.checked(606));
    EXPECT_FALSE(d.checked(33148));
    EXPECT_FALSE(d.checked(1));
    EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{606, true}, {33148, false}}));
}

}  // namespace
}  // namespace kro
