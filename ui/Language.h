#pragma once

class QApplication;

namespace yuzhou {

/// Makes Chinese the language of Qt's own texts (dialog buttons, file dialogs, the menus
/// of edit boxes) and of number and date formats. Without the translation files the
/// program still runs, with those texts in English.
void installChineseTranslations(QApplication& application);

} // namespace yuzhou
