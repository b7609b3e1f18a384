#pragma once
// A read-out whose text never decides its width: it asks for the width of `sample` (the longest
// text it usually shows) and takes what its place gives; a text longer than that is cut with
// "…" and shown whole as the tool tip, instead of widening the panel around it.
#include <QLabel>
#include <QString>

namespace orv {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& sample, QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString full_;
    int width_ = 0;
};

}  // namespace orv
