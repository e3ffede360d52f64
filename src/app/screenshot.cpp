#include "app/screenshot.hpp"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QTimer>
#include <iostream>
#include <memory>

#include "display/ui/main_frame.hpp"

namespace kro {

bool take_screenshot_options(std::vector<std::string>& args, ScreenshotRequest& request, bool& requested,
                             std::string& error) {
    std::vector<std::string> rest;
    requested = false;
    auto number = [&](const std::string& text, int& out) {
        try {
            std::size_t used = 0;
            out = std::stoi(text, &used);
            return used == text.size();
        } catch (const std::exception&) {
            return false;
        }
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        if (a == "--screenshot") {
            if (!has_value) return error = "--screenshot needs a file name", false;
            request.file = args[++i];
            requested = true;
        } else if (a == "--after-ms") {
            if (!has_value || !number(args[i + 1], request.after_ms) || request.after_ms < 0)
                return error = "--after-ms needs a number of milliseconds", false;
            ++i;
        } else if (a == "--command") {
            int id = 0;
            if (!has_value || !number(args[i + 1], id)) return error = "--command needs a command number", false;
            request.commands.push_back(id);
            ++i;
        } else {
            rest.push_back(a);
        }
    }
    if (!requested && (!request.commands.empty()))
        return error = "--command is only taken with --screenshot", false;
    args = rest;
    return true;
}

namespace {

struct Run {
    MainFrame* frame;
    ScreenshotRequest request;
    QImage dialog_picture;
    bool missing_handler = false;
};

// Draws and closes the modal dialog that a command opened.
void close_dialogs_later(const std::shared_ptr<Run>& run) {
    QTimer::singleShot(300, qApp, [run] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            run->dialog_picture = modal->grab().toImage();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            else modal->close();
        }
    });
}

}  // namespace

void schedule_screenshot(MainFrame& frame, const ScreenshotRequest& request) {
    auto run = std::make_shared<Run>(Run{&frame, request, {}, false});
    QTimer::singleShot(request.after_ms, qApp, [run] {
        for (const int id : run->request.commands) {
            close_dialogs_later(run);
            if (!run->frame->run_command(run->frame->active_child(), id)) {
                std::cerr << "kro: command " << id << " is not handled by any window\n";
                run->missing_handler = true;
            }
            QApplication::processEvents();
        }
        // Let the panes settle before the picture is taken.
        QTimer::singleShot(200, qApp, [run] {
            QImage picture = run->frame->grab().toImage();
            if (!run->dialog_picture.isNull()) {
                QPainter p(&picture);
                const QPoint at((picture.width() - run->dialog_picture.width()) / 2,
                                (picture.height() - run->dialog_picture.height()) / 2);
                p.drawImage(at, run->dialog_picture);
            }
            if (!picture.save(QString::fromStdString(run->request.file), "PNG")) {
                std::cerr << "kro: cannot write " << run->request.file << "\n";
                QApplication::exit(1);
                return;
            }
            QApplication::exit(run->missing_handler ? 3 : 0);
        });
    });
}

}  // namespace kro
