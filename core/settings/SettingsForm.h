#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

struct FilterSettings;
class WindowToolkit;

/// What the settings dialog shows: the texts of its lists and boxes, the tick of its
/// check box, and which controls are enabled. The dialog's window only mirrors this
/// form; every rule of the dialog works on the form.
struct SettingsForm {
    std::string typePreset;   // list 文件类型
    std::string extensions;   // box 文件后缀
    std::string sizeSwitch;   // list 是否筛选大小
    std::string sizeRelation; // list 限制大小类型
    std::string sizeValue;    // box 大小数值
    std::string sizeUnit;     // list 单位
    std::string nameSwitch;   // list 是否限制名称
    std::string keywords;     // box 限制名称
    bool showDuplicates = false;
    /// 限制大小类型, 大小数值 and 单位 together.
    bool sizeControlsEnabled = true;
    bool keywordsEnabled = true;

    bool operator==(const SettingsForm&) const = default;
};

/// The form as the dialog is laid out, before its creation loads anything.
SettingsForm designedSettingsForm();

/// Creation: loads the filter entries of dataconfig.ini into the form, resets it when the
/// three boxes all came back empty, copies it into the settings and disables the
/// controls whose switch is off. `findDuplicates` is not touched.
SettingsForm createSettingsForm(FilterSettings& settings);

/// Reset ("初始化参数"): puts the prompts into the lists and boxes; changes neither the
/// settings, the file, the enabled controls nor the check box.
void resetSettingsForm(SettingsForm& form);

/// An item of 文件类型 chosen: its extension list goes into the extension box.
void chooseTypePreset(SettingsForm& form, std::string_view item);
/// An item of 是否筛选大小 chosen: "不筛选" disables the size controls and puts their
/// prompts back; anything else enables them with the texts they had.
void chooseSizeSwitch(SettingsForm& form, std::string_view item);
/// An item of 是否限制名称 chosen: "不筛选" disables the keyword box, anything else enables it.
void chooseNameSwitch(SettingsForm& form, std::string_view item);
/// A relation or a unit chosen: it takes effect in the settings at once.
void chooseSizeRelation(SettingsForm& form, std::string_view item, FilterSettings& settings);
void chooseSizeUnit(SettingsForm& form, std::string_view item, FilterSettings& settings);
/// The check box 显示相同 clicked: ticking it warns that the search takes longer.
void clickShowDuplicates(SettingsForm& form, bool ticked, WindowToolkit& toolkit);

/// Apply ("应用并关闭"): refuses without extensions; otherwise sets the settings from the
/// form, saves the filter entries, and gives whether the dialog may close, which it may
/// not while the size test is on and a size parameter still shows its prompt.
bool applySettingsForm(const SettingsForm& form, FilterSettings& settings, WindowToolkit& toolkit);

/// Copies the seven fields the form decides into the settings.
void copySettingsForm(const SettingsForm& form, FilterSettings& settings);

/// Loads rows 1 to 8 of dataconfig.ini into the form, then the name kind and the size
/// switch flag into the settings.
void loadFilterEntries(SettingsForm& form, FilterSettings& settings);

/// Erases dataconfig.ini and writes rows 1 to 10 from the form, setting the name kind
/// and the size switch flag on the way.
void saveFilterEntries(const SettingsForm& form, FilterSettings& settings);

} // namespace yuzhou
