#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace kalvira::ui {

// Offers every key pressed anywhere in one window to a handler before the control with the focus
// sees it, so a window-wide key works whichever control has the focus and never moves an option
// group's selection or pages a scroll bar. The handler returns true for a key it took.
class WindowKeyFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<bool(const QKeyEvent &)>;

    WindowKeyFilter(QWidget *window, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    Handler handler_;
};

}  // namespace kalvira::ui
