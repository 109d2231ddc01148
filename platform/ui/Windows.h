#pragma once
// Windows addressed by name, in place of the classic forms collection.
//
// A window is registered once with a factory. Showing it loads it on first
// use; closing it - by the user, by its own code or through closeWindow -
// unloads it: the instance and all its state are discarded at once, and the
// next show loads a fresh one. The registry never hands out a dangling
// pointer: a window that is closed or destroyed is forgotten immediately
// (its object is deleted later, when control returns to the event loop).
//
// A modal run ends when the window is closed (unloaded) or hidden (it then
// stays loaded and its state can still be read, as with a dialog that hides
// itself on OK).
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace zorbel::ui {

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;

/// Registers (or replaces) the factory of a window. Replacing does not touch
/// an instance that is already loaded.
void registerWindow(const QString &name, WindowFactory factory);
/// Forgets a window's factory, closing the window first when it is loaded.
void unregisterWindow(const QString &name);
bool isRegistered(const QString &name);
/// Names of every registered window, sorted, so that tests can walk them all.
QStringList registeredWindows();

/// Loads the window without showing it (so that a caller can set it up
/// before showing it modally). Returns the live instance, or nullptr for an
/// unknown name or a factory that made nothing.
QWidget *loadWindow(const QString &name);

/// Shows the window without blocking, loading it first when needed; an open
/// window is only raised. False for an unknown name.
bool showWindow(const QString &name);

/// Loads the window when needed and runs it modally: returns once the window
/// has been closed or hidden. False for an unknown name (nothing is shown).
/// While a ModalHook is alive the hook drives the window instead.
bool showModal(const QString &name);

/// Unloads the window as its close button would (its close handler runs and
/// may refuse). True when the window is no longer loaded afterwards.
bool closeWindow(const QString &name);

/// Closes every loaded window, the most recently loaded first.
void closeAllWindows();

bool isLoaded(const QString &name);
/// The live instance, nullptr when not loaded.
QWidget *window(const QString &name);
template <class T> T *windowAs(const QString &name) { return dynamic_cast<T *>(window(name)); }
/// Names of the loaded windows, in loading order.
QStringList loadedWindows();

/// Test hook for modal windows. While alive, showModal does not block: it
/// shows the window and calls the driver with it; the driver clicks and
/// types, and the window closes itself as it would for a user. Should the
/// window still be open when the driver returns, it is closed as by its close
/// button (hidden when its close handler refuses), so that showModal returns
/// with the same effects as a real modal run. Without a driver every modal
/// window is simply closed that way. Hooks nest; the innermost one drives.
class ModalHook {
public:
    using Driver = std::function<void(QWidget &window)>;
    explicit ModalHook(Driver driver = {});
    ~ModalHook();
    ModalHook(const ModalHook &) = delete;
    ModalHook &operator=(const ModalHook &) = delete;

    /// Names of the windows run modally so far, in order.
    const QStringList &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }

    /// Used by showModal.
    void drive(const QString &name, QWidget &window);

private:
    Driver m_driver;
    QStringList m_shown;
    ModalHook *m_outer = nullptr;
};

} // namespace zorbel::ui
