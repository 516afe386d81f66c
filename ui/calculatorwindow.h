#pragma once

#include <QMdiSubWindow>

// A calculator window of the frame: a multiple-document child that holds its
// controls on a client area of the size it was drawn at. When the frame is
// smaller than that, the client scrolls instead of being cut off.
// Closing it with its close box destroys it; hiding it keeps every value.
class CalculatorWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    CalculatorWindow(const QString& name, const QString& title, QSize clientSize);

protected:
    void changeEvent(QEvent* event) override;

    // The widget the controls are placed on, at twip positions.
    QWidget* client() const { return m_client; }

private:
    QWidget* m_client;
    bool m_restoredBefore = false;
};
