#include "StatusPanes.h"

#include <QHBoxLayout>
#include <QLabel>

namespace yuzhou {

namespace {

constexpr int kTextInterval = 40; // milliseconds

} // namespace

StatusPanes::StatusPanes(QWidget* parent) : QWidget(parent), m_layout(new QHBoxLayout(this)) {
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addStretch(1);
    m_textTimer.setSingleShot(true);
    m_textTimer.setInterval(kTextInterval);
    connect(&m_textTimer, &QTimer::timeout, this, &StatusPanes::showPendingTexts);
    m_sinceShown.start();
}

bool StatusPanes::validIndex(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < m_panes.size();
}

void StatusPanes::clear() {
    for (Pane& pane : m_panes) {
        delete pane.label;
    }
    m_panes.clear();
    relayout();
}

void StatusPanes::addPane(const QString& text, int width) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("statusPane"));
    label->setFrameShape(QFrame::NoFrame);
    label->setTextFormat(Qt::PlainText);
    label->show();
    m_panes.push_back({label, text, width});
    relayout();
}

void StatusPanes::removePane(int index) {
    if (!validIndex(index)) {
        return;
    }
    delete m_panes[static_cast<std::size_t>(index)].label;
    m_panes.erase(m_panes.begin() + index);
    relayout();
}

void StatusPanes::setPaneText(int index, const QString& text) {
    if (!validIndex(index)) {
        return;
    }
    m_panes[static_cast<std::size_t>(index)].text = text;
    if (m_sinceShown.elapsed() >= kTextInterval) {
        showPendingTexts();
    } else if (!m_textTimer.isActive()) {
        m_textTimer.start();
    }
}

void StatusPanes::setPaneWidth(int index, int width) {
    if (!validIndex(index)) {
        return;
    }
    m_panes[static_cast<std::size_t>(index)].width = width;
    relayout();
}

int StatusPanes::paneCount() const {
    return static_cast<int>(m_panes.size());
}

QString StatusPanes::paneText(int index) const {
    return validIndex(index) ? m_panes[static_cast<std::size_t>(index)].text : QString();
}

int StatusPanes::paneWidth(int index) const {
    return validIndex(index) ? m_panes[static_cast<std::size_t>(index)].width : 0;
}

QRect StatusPanes::paneRect(int index) const {
    if (!validIndex(index)) {
        return {};
    }
    // Computed from the widths rather than read from the labels, so the answer holds
    // before the layout has run.
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += m_panes[static_cast<std::size_t>(i)].width;
    }
    const int width = m_panes[static_cast<std::size_t>(index)].width;
    return QRect(left, 0, width < 0 ? qMax(0, this->width() - left) : width, height());
}

void StatusPanes::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit panesChanged();
}

void StatusPanes::relayout() {
    while (m_layout->count() > 0) {
        delete m_layout->takeAt(0);
    }
    bool stretched = false;
    for (Pane& pane : m_panes) {
        pane.label->setText(pane.text);
        if (pane.width < 0) {
            pane.label->setMinimumWidth(0);
            pane.label->setMaximumWidth(QWIDGETSIZE_MAX);
            m_layout->addWidget(pane.label, 1);
            stretched = true;
        } else {
            pane.label->setFixedWidth(pane.width);
            m_layout->addWidget(pane.label, 0);
        }
    }
    if (!stretched) {
        m_layout->addStretch(1);
    }
    m_layout->activate();
    m_sinceShown.restart();
    emit panesChanged();
}

void StatusPanes::showPendingTexts() {
    for (Pane& pane : m_panes) {
        if (pane.label->text() != pane.text) {
            pane.label->setText(pane.text);
        }
    }
    m_sinceShown.restart();
}

} // namespace yuzhou
