#pragma once

#include "data/QueryRules.h"

class TQDQuery;

// What the volume register hands its list and the volume editor: the insert
// and edit fills, the duplicate checks and the columns, built from the
// volume field definitions.
class TVolumeRegisterRules {
public:
    // Time-stamp key, creator stamps, and the per-year archive number when
    // the system numbers volumes itself.
    static TInsertDataArray InsertData(bool autoNumbering);
    static TEditDataArray EditData();
    // The archive number (unless numbers are not checked at all), every text
    // column defined as not repeatable (the user may save anyway), the key.
    static TCheckDataArray CheckData(bool autoNumbering, int categoryNumbering);
    // The type name first, the defined columns in their order, the stamps,
    // then the hidden key and type id.
    static TFieldsDataArray Columns();
    // Display names and columns of the definitions offered for sorting.
    static QList<QPair<QString, QString>> SortCandidates();

    // The list's table, update statements and all the above.
    static void Configure(TQDQuery& list, bool autoNumbering, int categoryNumbering);
};
