#pragma once

// The database edition a statement is written for. This build runs on its own
// local engine; the two other forms are kept so that statements generated for
// them can be produced and checked.
enum class TSqlType { urStandard, urSql_Server, urAccess };

inline constexpr TSqlType ProgramSqlType = TSqlType::urStandard;
