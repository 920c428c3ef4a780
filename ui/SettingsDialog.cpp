#include "SettingsDialog.h"

#include "Controls.h"
#include "Style.h"
#include "settings/FilterSettings.h"
#include "settings/SettingsTexts.h"
#include "skin/HeaderBand.h"
#include "skin/PictureButton.h"
#include "skin/WindowDragger.h"
#include "skin/WindowShadow.h"
#include "toolkit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <iterator>

namespace yuzhou {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

/// A drop-down list that can also show a text the program sets which is none of its
/// items (its prompts); the user may type into it as well.
template <std::size_t N>
QComboBox* makeList(const std::string_view (&items)[N], QWidget* parent, const QRect& geometry) {
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (std::string_view item : items) {
        list->addItem(qt(item));
    }
    list->setGeometry(geometry);
    return list;
}

QLineEdit* makeBox(QWidget* parent, const QRect& geometry) {
    auto* box = new QLineEdit(parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace

SettingsDialog::SettingsDialog(FilterSettings& settings, WindowToolkit& toolkit, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_settings(settings), m_toolkit(toolkit) {
    setObjectName(QStringLiteral("settingsDialog"));
    setWindowTitle(QStringLiteral("查找文件设置"));
    setFixedSize(564, 517);
    setAttribute(Qt::WA_StyledBackground);
    buildBand();
    buildControls();
    WindowDragger::install(this);
    WindowShadow::attach(this, 4);
    showForm(createSettingsForm(m_settings));
}

void SettingsDialog::buildBand() {
    auto* band = new HeaderBand(this);
    band->setGeometry(0, 0, 568, 48);
    auto* title = makeLabel(QStringLiteral("文件筛选设置"), band, QRect(215, 4, 149, 40));
    styleBandLabel(title, 14, true);
    WindowDragger::install(title);
    auto* minimise = new PictureButton(IconKind::Minimise, band);
    minimise->setGeometry(461, 8, 20, 14);
    connect(minimise, &PictureButton::released, this, &QWidget::showMinimized);
    auto* close = new PictureButton(IconKind::Close, band);
    close->setObjectName(QStringLiteral("closePicture"));
    close->setGeometry(539, 0, 24, 24);
    connect(close, &PictureButton::released, this, &QDialog::reject);
}

void SettingsDialog::buildControls() {
    auto* types = new QGroupBox(QStringLiteral("1.类型筛选（必选）"), this);
    types->setGeometry(17, 60, 525, 100);
    auto* star = makeLabel(QStringLiteral("*"), types, QRect(123, -6, 24, 32));
    star->setStyleSheet(QStringLiteral("color: #d0312d; font-weight: bold;"));
    makeLabel(QStringLiteral("文件类型："), types, QRect(29, 25, 71, 32));
    m_typePreset = makeList(texts::kTypeItems, types, QRect(98, 30, 151, 23));
    makeLabel(QStringLiteral("文件后缀："), types, QRect(29, 61, 61, 32));
    m_extensions = makeBox(types, QRect(98, 64, 300, 24));
    selectAllOnDoubleClick(m_extensions);
    auto* hint =
        makeLabel(QStringLiteral("注：后缀越少，搜索越快，最好一个后缀。"), types, QRect(247, 33, 240, 34));
    hint->setStyleSheet(QStringLiteral("color: #6b7b8c;"));

    auto* size = new QGroupBox(QStringLiteral("2.大小筛选（选填）："), this);
    size->setGeometry(16, 165, 525, 100);
    makeLabel(QStringLiteral("是否筛选："), size, QRect(31, 22, 59, 32));
    m_sizeSwitch = makeList(texts::kSizeSwitchItems, size, QRect(100, 27, 120, 20));
    makeLabel(QStringLiteral("跳过大小："), size, QRect(31, 58, 59, 32));
    m_sizeRelation = makeList(texts::kRelationItems, size, QRect(100, 63, 80, 26));
    m_sizeValue = makeBox(size, QRect(188, 63, 72, 24));
    selectAllOnDoubleClick(m_sizeValue);
    m_sizeUnit = makeList(texts::kUnitItems, size, QRect(267, 63, 95, 26));
    makeLabel(QStringLiteral("的文件。"), size, QRect(366, 60, 49, 32));

    auto* names = new QGroupBox(QStringLiteral("3.名称筛选（选填）："), this);
    names->setGeometry(15, 270, 525, 100);
    makeLabel(QStringLiteral("是否筛选："), names, QRect(32, 25, 59, 32));
    m_nameSwitch = makeList(texts::kNameSwitchItems, names, QRect(99, 28, 120, 20));
    makeLabel(QStringLiteral("关键字："), names, QRect(32, 61, 49, 32));
    m_keywords = makeBox(names, QRect(99, 63, 300, 24));
    selectAllOnDoubleClick(m_keywords);
    makeLabel(QStringLiteral("英文逗号隔开"), names, QRect(405, 63, 80, 24));

    auto* duplicates = new QGroupBox(QStringLiteral("4.重复文件筛选（选填）："), this);
    duplicates->setGeometry(14, 377, 525, 50);
    m_showDuplicates = new QCheckBox(QStringLiteral("显示重复文件"), duplicates);
    m_showDuplicates->setGeometry(34, 21, 99, 24);

    auto* applyButton = new QPushButton(QStringLiteral("应用并关闭"), this);
    applyButton->setObjectName(QStringLiteral("applyButton"));
    applyButton->setGeometry(141, 462, 130, 28);
    auto* resetButton = new QPushButton(QStringLiteral("初始化参数"), this);
    resetButton->setObjectName(QStringLiteral("resetButton"));
    resetButton->setGeometry(287, 462, 130, 28);
    for (QPushButton* button : {applyButton, resetButton}) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }

    connect(applyButton, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(resetButton, &QPushButton::clicked, this, &SettingsDialog::reset);
    connect(m_typePreset, &QComboBox::textActivated, this, [this](const QString& item) {
        update([&](SettingsForm& form) { chooseTypePreset(form, utf8(item)); });
    });
    connect(m_sizeSwitch, &QComboBox::textActivated, this, [this](const QString& item) {
        update([&](SettingsForm& form) { chooseSizeSwitch(form, utf8(item)); });
    });
    connect(m_nameSwitch, &QComboBox::textActivated, this, [this](const QString& item) {
        update([&](SettingsForm& form) { chooseNameSwitch(form, utf8(item)); });
    });
    connect(m_sizeRelation, &QComboBox::textActivated, this, [this](const QString& item) {
        update([&](SettingsForm& form) { chooseSizeRelation(form, utf8(item), m_settings); });
    });
    connect(m_sizeUnit, &QComboBox::textActivated, this, [this](const QString& item) {
        update([&](SettingsForm& form) { chooseSizeUnit(form, utf8(item), m_settings); });
    });
    connect(m_showDuplicates, &QCheckBox::clicked, this, [this](bool ticked) {
        update([&](SettingsForm& form) { clickShowDuplicates(form, ticked, m_toolkit); });
    });
}

SettingsForm SettingsDialog::form() const {
    SettingsForm form;
    form.typePreset = utf8(m_typePreset->currentText());
    form.extensions = utf8(m_extensions->text());
    form.sizeSwitch = utf8(m_sizeSwitch->currentText());
    form.sizeRelation = utf8(m_sizeRelation->currentText());
    form.sizeValue = utf8(m_sizeValue->text());
    form.sizeUnit = utf8(m_sizeUnit->currentText());
    form.nameSwitch = utf8(m_nameSwitch->currentText());
    form.keywords = utf8(m_keywords->text());
    form.showDuplicates = m_showDuplicates->isChecked();
    form.sizeControlsEnabled = m_sizeRelation->isEnabled();
    form.keywordsEnabled = m_keywords->isEnabled();
    return form;
}

void SettingsDialog::showForm(const SettingsForm& form) {
    m_typePreset->setEditText(qt(form.typePreset));
    m_extensions->setText(qt(form.extensions));
    m_sizeSwitch->setEditText(qt(form.sizeSwitch));
    m_sizeRelation->setEditText(qt(form.sizeRelation));
    m_sizeValue->setText(qt(form.sizeValue));
    m_sizeUnit->setEditText(qt(form.sizeUnit));
    m_nameSwitch->setEditText(qt(form.nameSwitch));
    m_keywords->setText(qt(form.keywords));
    m_showDuplicates->setChecked(form.showDuplicates);
    for (QWidget* control : {static_cast<QWidget*>(m_sizeRelation), static_cast<QWidget*>(m_sizeValue),
                             static_cast<QWidget*>(m_sizeUnit)}) {
        control->setEnabled(form.sizeControlsEnabled);
    }
    m_keywords->setEnabled(form.keywordsEnabled);
}

template <typename Rule> void SettingsDialog::update(Rule&& rule) {
    SettingsForm current = form();
    rule(current);
    showForm(current);
}

void SettingsDialog::apply() {
    if (applySettingsForm(form(), m_settings, m_toolkit)) {
        accept();
    }
}

void SettingsDialog::reset() {
    update([](SettingsForm& form) { resetSettingsForm(form); });
}

} // namespace yuzhou
