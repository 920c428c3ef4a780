#pragma once

class QApplication;
class QWidget;

namespace yuzhou {

/// The program's look: fonts, colours and the style sheet of its buttons, boxes and list.
void applyProgramStyle(QApplication& application);

/// Labels that sit on a header band: white text on the band's colours.
void styleBandLabel(QWidget* label, int pointSize, bool bold = false);

} // namespace yuzhou
