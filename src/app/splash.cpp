#include "app/splash.hpp"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>

namespace kro {

namespace {
constexpr int kSplashMilliseconds = 10750;
}

Splash::Splash(const std::string& program_folder) {
    const QPixmap picture(QString::fromStdString(program_folder + "splash.bmp"));
    if (picture.isNull()) return;
    screen_ = std::make_unique<QSplashScreen>(picture);
    screen_->show();
    QApplication::processEvents();
    QTimer::singleShot(kSplashMilliseconds, this, [this] { close(); });
    qApp->installEventFilter(this);
}

Splash::~Splash() {
    if (qApp) qApp->removeEventFilter(this);
}

void Splash::close() {
    if (!screen_) return;
    qApp->removeEventFilter(this);
    screen_->close();
    screen_.reset();
}

bool Splash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) close();
    return QObject::eventFilter(watched, event);
}

}  // namespace kro
