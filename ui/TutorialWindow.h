#pragma once

#include <QWidget>
#include <string>

namespace yuzhou {

class WindowToolkit;

/// The window "使用教程": links to the online video tutorial and the tutorial download,
/// whose addresses come from the online help's information text. Frameless, with its own
/// header band to drag it by. The close picture destroys it, so it must be made with new.
class TutorialWindow : public QWidget {
    Q_OBJECT

public:
    /// `informationAddress` is the information interface; empty asks nobody, and the links
    /// then do nothing.
    TutorialWindow(WindowToolkit& toolkit, std::string informationAddress, QWidget* parent = nullptr);

private:
    void buildBand();
    void buildLinks();

    WindowToolkit& m_toolkit;
    std::string m_informationAddress;
};

} // namespace yuzhou
