#pragma once

#include "settings/SettingsForm.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace yuzhou {

struct FilterSettings;
class WindowToolkit;

/// The settings dialog "查找文件设置": the file types, the size test, the name test and
/// the duplicates switch. Every opening builds it anew from dataconfig.ini; "应用并关闭"
/// applies and saves the settings, the close picture leaves without applying.
///
/// The widgets only mirror a SettingsForm; every rule works on the form.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(FilterSettings& settings, WindowToolkit& toolkit, QWidget* parent = nullptr);

    /// The form as the widgets show it now.
    SettingsForm form() const;

    QComboBox* typeList() const { return m_typePreset; }
    QLineEdit* extensionBox() const { return m_extensions; }
    QComboBox* sizeSwitchList() const { return m_sizeSwitch; }
    QComboBox* relationList() const { return m_sizeRelation; }
    QLineEdit* sizeValueBox() const { return m_sizeValue; }
    QComboBox* unitList() const { return m_sizeUnit; }
    QComboBox* nameSwitchList() const { return m_nameSwitch; }
    QLineEdit* keywordBox() const { return m_keywords; }
    QCheckBox* showDuplicatesBox() const { return m_showDuplicates; }

public slots:
    void apply();
    void reset();

private:
    void buildBand();
    void buildControls();
    void showForm(const SettingsForm& form);
    /// Runs a rule on the form the widgets show, then shows the result.
    template <typename Rule> void update(Rule&& rule);

    FilterSettings& m_settings;
    WindowToolkit& m_toolkit;
    QComboBox* m_typePreset = nullptr;
    QLineEdit* m_extensions = nullptr;
    QComboBox* m_sizeSwitch = nullptr;
    QComboBox* m_sizeRelation = nullptr;
    QLineEdit* m_sizeValue = nullptr;
    QComboBox* m_sizeUnit = nullptr;
    QComboBox* m_nameSwitch = nullptr;
    QLineEdit* m_keywords = nullptr;
    QCheckBox* m_showDuplicates = nullptr;
};

} // namespace yuzhou
