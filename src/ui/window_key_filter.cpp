#include "window_key_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kalvira::ui {

WindowKeyFilter::WindowKeyFilter(QWidget *window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler)) {
    // The application sees a key before the focus widget does; a filter that is destroyed is
    // dropped from its list.
    qApp->installEventFilter(this);
}

bool WindowKeyFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (static_cast<QWidget *>(watched)->window() != window_) return false;
    return handler_(static_cast<const QKeyEvent &>(*event));
}

}  // namespace kalvira::ui
