#pragma once

#include "data/QDQuery.h"

// A volume list set up the way the volume register sets up its query: the
// time-stamp key, the audit stamps, the per-year archive number when
// numbering is on, and its three duplicate checks.
void ConfigureVolumeQuery(TQDQuery& query, bool numbering, const QString& sql = {});

TCheckData DuplicateCheck(const QString& selectPrefix, const QString& field, const QString& message,
                          bool askOnly = false);
