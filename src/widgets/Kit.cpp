#include "widgets/Kit.h"
#include "data/Sql.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QHash>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTimer>

// The kit's pictures live in a static library: register them explicitly.
static void initKitResources() { Q_INIT_RESOURCE(kit); }

namespace {

// Remembers, per widget, the text an input method is composing, so that it
// can be committed even where the platform's input method does not do it.
class CompositionTracker : public QObject {
public:
    QHash<QObject*, QPair<QPointer<QWidget>, QString>> pending;

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::InputMethod && o->isWidgetType()) {
            const auto* im = static_cast<QInputMethodEvent*>(e);
            if (im->preeditString().isEmpty())
                pending.remove(o);
            else
                pending.insert(o, {static_cast<QWidget*>(o), im->preeditString()});
        } else if (e->type() == QEvent::Destroy) {
            pending.remove(o);
        }
        return false;
    }
};

CompositionTracker* tracker()
{
    static CompositionTracker* t = [] {
        initKitResources();
        auto* c = new CompositionTracker;
        qApp->installEventFilter(c);
        return c;
    }();
    return t;
}

std::function<void(QDialog*)>& modalHook()
{
    static std::function<void(QDialog*)> hook;
    return hook;
}

} // namespace

namespace Kit {

void useApplicationFont()
{
    QFont f(QStringLiteral("NanumGothic"));
    f.setPointSize(9);
    QApplication::setFont(f);
    tracker();
}

void watchInput() { tracker(); }

void commitInput(QWidget* w)
{
    CompositionTracker* t = tracker();
    QGuiApplication::inputMethod()->commit();
    const auto entries = t->pending;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        QWidget* target = it.value().first;
        if (!target || (w && target != w))
            continue;
        QInputMethodEvent commit;
        commit.setCommitString(it.value().second);
        QCoreApplication::sendEvent(target, &commit);
        t->pending.remove(it.key());
    }
}

int execModal(QDialog* dialog)
{
    tracker();
    if (modalHook()) {
        QPointer<QDialog> d(dialog);
        QTimer::singleShot(0, dialog, [d] {
            if (d && modalHook())
                modalHook()(d);
        });
    }
    return dialog->exec();
}

void setModalHook(std::function<void(QDialog*)> hook) { modalHook() = std::move(hook); }

bool guarded(QWidget* parent, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const DbError& e) {
        Messages::error(parent, e.message());
        return false;
    }
}

} // namespace Kit
