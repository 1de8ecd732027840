#pragma once
// What the start-up benchmark's probes share: the line "shown" on standard output once the
// first window of the process has been drawn (its first exposure handled, which paints and
// flushes it), and the fixed-size clock label that ticks once a second.

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QTime>
#include <QTimer>
#include <QWindow>

namespace ql::bench {

class FirstWindowNotice : public QObject {
public:
    // `endAfter`: the process ends at once after the line (a start measurement).
    explicit FirstWindowNotice(bool endAfter) : endAfter_(endAfter)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!told_ && event->type() == QEvent::Expose) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) {
                told_ = true;
                // After the exposure has been handled: the window is on the screen.
                QTimer::singleShot(0, [this] { tell(); });
            }
        }
        return false;
    }

private:
    void tell() const
    {
        static const char line[] = "shown\n";
        (void)!::write(STDOUT_FILENO, line, sizeof line - 1);
        if (endAfter_) ::_exit(0);
    }

    bool endAfter_;
    bool told_ = false;
};

// A clock label of fixed size, set to the time once a second, as the program's toolbar has it.
inline QLabel* tickingClockLabel(QWidget* parent, int width)
{
    auto* label = new QLabel(QStringLiteral("Time:"), parent);
    label->setFixedSize(width, label->sizeHint().height());
    auto* timer = new QTimer(label);
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, label, [label] {
        label->setText(QStringLiteral("Time: ") + QTime::currentTime().toString(u"HH:mm:ss"));
    });
    timer->start();
    return label;
}

}  // namespace ql::bench
