// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

namespace toolkit {

/// Where a picture shows a read-out, for assistive technology: it draws nothing and lets the
/// mouse through, and a screen reader reads it as its label and its value ("Vitesse du
/// moteur : +150 tr/min"), told at once when the value changes.
class ReadoutSpot : public QWidget
{
    Q_OBJECT

public:
    explicit ReadoutSpot(QWidget *parent = nullptr);

    QString label() const { return m_label; }
    void setLabel(const QString &label);

    QString value() const { return m_value; }
    void setValue(const QString &value);

private:
    void announce();

    QString m_label;
    QString m_value;
};

} // namespace toolkit
