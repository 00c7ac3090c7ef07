#pragma once

class QString;

namespace velmaro {

class TSeleccionForm;

// Builds the reference table named by `id` ("ES1", "ES2", "ES3", "EC1" to "EC4") into the
// form through DefineFields, AppendRow and SetGridColumns; false, and nothing built, for any
// other id.
bool BuildReferenceTable(TSeleccionForm &form, const QString &id);

} // namespace velmaro
