// A titled box of radio buttons whose choice is an item index, as the forms' radio groups are.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class TRadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    // `columns` items per row.
    TRadioGroup(const QString& title, const QStringList& items, int columns = 1,
                QWidget* parent = nullptr);
    // The chosen item, -1 when none.
    int ItemIndex() const;
    // Chooses an item without emitting itemClicked; -1 or an index outside clears the choice.
    void SetItemIndex(int index);

  signals:
    // The user chose an item.
    void itemClicked(int index);

  private:
    QButtonGroup* buttons_;
};
