#pragma once

#include <QWidget>

// ProgressBar1: a bar from 0 to 100 with a fractional value and a text of its
// own drawn across it.
class ProgressBar final : public QWidget {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    const QString& text() const { return m_text; }
    void setText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_value = 0.0;
    QString m_text;
};
