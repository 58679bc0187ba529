#pragma once
#include <QWidget>

class CTarvelView;

/// The gutter left of the editor: line numbers and the marker of the last error, whose
/// tooltip is the error's message. The view paints it, as it knows where its lines are.
class LineNumberArea : public QWidget {
    Q_OBJECT

public:
    /// The gutter of view.
    explicit LineNumberArea(CTarvelView* view);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    CTarvelView* view;
};
