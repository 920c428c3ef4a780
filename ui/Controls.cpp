#include "Controls.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace yuzhou {

namespace {

class SelectAllOnDoubleClick : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (auto* box = qobject_cast<QLineEdit*>(watched)) {
                box->selectAll();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QLabel* makeLabel(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

void selectAllOnDoubleClick(QLineEdit* box) {
    box->installEventFilter(new SelectAllOnDoubleClick(box));
}

} // namespace yuzhou
