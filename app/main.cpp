// The program block: the application, its main window, the event loop.
#include "shell/ui/vVorn.h"
#include "shell/vGlobal.h"

#include <QApplication>
#include <QMessageBox>

namespace {
// Last line of defence: an exception that escaped a handler's guard is shown, never let into
// the event loop.
class VornApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = false;
        RunGuarded([&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }
};
} // namespace

int main(int argc, char** argv) {
    VornApplication app(argc, argv);
    QApplication::setApplicationName("VORN");
    TVORNForm form;
    InstallGuiHooks(&form);
    form.show();
    return QApplication::exec();
}
