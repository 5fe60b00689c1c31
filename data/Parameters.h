#pragma once

#include <QString>

// Settings shared by every workstation, kept as rows of SYS_ID_TABLE.
bool IsParameterOn(const QString& name);
QString ParameterValue(const QString& name);
// Shows "参数保存过程发生错误" when the value cannot be stored.
bool SetParameter(const QString& name, const QString& value);
