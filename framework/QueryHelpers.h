#pragma once

#include <QString>

class QComboBox;
class TQDQuery;

// Replaces the combo box's items by the column's values over all rows, in the
// query's order.
void FillCombo(QComboBox* combo, TQDQuery& query, const QString& column);

// Reopens the query on the statement behind the progress window, then tells
// how many rows were found.
void RunCounted(TQDQuery& query, const QString& statement);
