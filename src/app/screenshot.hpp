#pragma once
// The screenshot mode of kro: after a pause, the given commands run through
// the dispatcher, a PNG of the main window is written and the program ends.
// A modal dialog that a command opens is drawn into the picture over the
// main window and then closed, so the run never waits for a person.

#include <string>
#include <vector>

namespace kro {

class MainFrame;

struct ScreenshotRequest {
    std::string file;
    int after_ms = 1000;
    std::vector<int> commands;
};

// Parses --screenshot FILE [--after-ms N] [--command ID ...] out of `args`
// (removing them); `error` is set on a malformed option.
bool take_screenshot_options(std::vector<std::string>& args, ScreenshotRequest& request, bool& requested,
                             std::string& error);

// Schedules the run; the application's exit code tells the result:
// 0 written, 1 the file could not be written, 3 a command had no handler.
void schedule_screenshot(MainFrame& frame, const ScreenshotRequest& request);

}  // namespace kro
