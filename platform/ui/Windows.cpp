#include "platform/ui/Windows.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHash>
#include <QPointer>

#include <algorithm>
#include <vector>

namespace zorbel::ui {

namespace {

ModalHook *g_modalHook = nullptr;

// Watches the loaded windows: an accepted close unloads a window on the spot
// (the object itself goes when control is back in the event loop), a close
// or hide ends the modal run that waits for it.
class Registry : public QObject {
public:
    using QObject::QObject;
    ~Registry() override
    {
        // Windows still loaded when the application goes have no other owner.
        std::vector<Loaded> left;
        left.swap(m_loaded);
        for (Loaded &l : left)
            delete l.widget.data();
    }

    QHash<QString, WindowFactory> factories;

    QWidget *find(const QString &name)
    {
        for (const Loaded &l : m_loaded)
            if (l.name == name && l.widget)
                return l.widget;
        return nullptr;
    }

    bool holds(const QWidget *w) const
    {
        return std::any_of(m_loaded.begin(), m_loaded.end(),
                           [w](const Loaded &l) { return l.widget == w; });
    }

    QStringList names() const
    {
        QStringList out;
        for (const Loaded &l : m_loaded)
            if (l.widget)
                out << l.name;
        return out;
    }

    QWidget *load(const QString &name)
    {
        if (QWidget *w = find(name))
            return w;
        auto it = factories.constFind(name);
        if (it == factories.constEnd() || !*it)
            return nullptr;
        std::unique_ptr<QWidget> made = (*it)();
        if (!made)
            return nullptr;
        QWidget *w = made.release();
        if (w->objectName().isEmpty())
            w->setObjectName(name);
        w->installEventFilter(this);
        connect(w, &QObject::destroyed, this, [this, w] { forget(w); });
        m_loaded.push_back({name, w});
        return w;
    }

    // Runs a modal loop until the window is closed or hidden.
    void runModal(QWidget *w)
    {
        QEventLoop loop;
        m_modal.push_back({w, &loop});
        // A window that comes up is on top already; raising is for one that
        // was open (and some platforms cannot raise at all).
        w->show();
        w->activateWindow();
        // The window may already be gone (closed by its show handler).
        if (holds(w) && w->isVisible())
            loop.exec(QEventLoop::DialogExec);
        m_modal.erase(std::remove_if(m_modal.begin(), m_modal.end(),
                                     [&loop](const Modal &m) { return m.loop == &loop; }),
                      m_modal.end());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || !holds(w))
            return false;
        if (event->type() == QEvent::Close) {
            // Let the window decide first; only an accepted close unloads it.
            watched->event(event);
            if (event->isAccepted()) {
                w->removeEventFilter(this);
                forget(w);
                w->hide();
                w->deleteLater();
            }
            return true;
        }
        if (event->type() == QEvent::Hide && !event->spontaneous())
            endModal(w);
        return false;
    }

private:
    struct Loaded {
        QString name;
        QPointer<QWidget> widget;
    };
    struct Modal {
        QPointer<QWidget> widget;
        QEventLoop *loop;
    };

    void forget(const QObject *w)
    {
        m_loaded.erase(std::remove_if(m_loaded.begin(), m_loaded.end(),
                                      [w](const Loaded &l) { return !l.widget || l.widget == w; }),
                       m_loaded.end());
        endModal(w);
    }

    void endModal(const QObject *w)
    {
        for (Modal &m : m_modal)
            if (!m.widget || m.widget == w)
                m.loop->quit();
    }

    std::vector<Loaded> m_loaded;
    std::vector<Modal> m_modal;
};

// Sent straight to the window: the platform's close path drops the event for
// a hidden window and for one that a modal window blocks.
void sendClose(QWidget *w)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(w, &close);
}

Registry &registry()
{
    // Parented to the application so that windows left loaded go before it.
    static QPointer<Registry> instance;
    if (!instance)
        instance = new Registry(QCoreApplication::instance());
    return *instance;
}

} // namespace

void registerWindow(const QString &name, WindowFactory factory)
{
    registry().factories.insert(name, std::move(factory));
}

void unregisterWindow(const QString &name)
{
    closeWindow(name);
    registry().factories.remove(name);
}

bool isRegistered(const QString &name) { return registry().factories.contains(name); }

QStringList registeredWindows()
{
    QStringList names = registry().factories.keys();
    names.sort();
    return names;
}

QWidget *loadWindow(const QString &name) { return registry().load(name); }

bool showWindow(const QString &name)
{
    QWidget *w = registry().load(name);
    if (!w)
        return false;
    const bool wasOpen = w->isVisible();
    if (w->isMinimized())
        w->showNormal();
    else
        w->show();
    if (wasOpen)
        w->raise();
    w->activateWindow();
    return true;
}

bool showModal(const QString &name)
{
    QWidget *w = registry().load(name);
    if (!w)
        return false;
    QPointer<QWidget> guard(w);
    // Modality takes effect only when a window is shown.
    if (w->isVisible())
        w->hide();
    w->setWindowModality(Qt::ApplicationModal);
    if (g_modalHook)
        g_modalHook->drive(name, *w);
    else
        registry().runModal(w);
    if (guard && guard->isHidden())
        guard->setWindowModality(Qt::NonModal);
    return true;
}

bool closeWindow(const QString &name)
{
    if (QWidget *w = registry().find(name))
        sendClose(w);
    return !isLoaded(name);
}

void closeAllWindows()
{
    QStringList names = registry().names();
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        closeWindow(*it);
}

bool isLoaded(const QString &name) { return registry().find(name) != nullptr; }

QWidget *window(const QString &name) { return registry().find(name); }

QStringList loadedWindows() { return registry().names(); }

ModalHook::ModalHook(Driver driver) : m_driver(std::move(driver)), m_outer(g_modalHook)
{
    g_modalHook = this;
}

ModalHook::~ModalHook() { g_modalHook = m_outer; }

void ModalHook::drive(const QString &name, QWidget &window)
{
    m_shown << name;
    QPointer<QWidget> guard(&window);
    window.show();
    window.activateWindow();
    if (m_driver)
        m_driver(window);
    // A real modal run would still be waiting: end it as the user would.
    if (guard && registry().holds(guard) && guard->isVisible()) {
        sendClose(guard);
        if (guard && registry().holds(guard) && guard->isVisible())
            guard->hide();
    }
}

} // namespace zorbel::ui
