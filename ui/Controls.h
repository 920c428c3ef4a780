#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace yuzhou {

/// A label with its text at a place of its parent.
QLabel* makeLabel(const QString& text, QWidget* parent, const QRect& geometry);

/// Makes a double click select the box's whole text, so that typing replaces it, instead of
/// selecting one word.
void selectAllOnDoubleClick(QLineEdit* box);

} // namespace yuzhou
