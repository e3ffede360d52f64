#pragma once
// The splash window: "splash.bmp" of the program folder, shown while the
// main frame is built, closed after 10750 ms or at the first key or mouse
// button press anywhere in the program. Nothing is shown when the picture
// does not load.

#include <QObject>
#include <QSplashScreen>
#include <memory>
#include <string>

namespace kro {

class Splash final : public QObject {
public:
    explicit Splash(const std::string& program_folder);
    ~Splash() override;
    void close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QSplashScreen> screen_;
};

}  // namespace kro
