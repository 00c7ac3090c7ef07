#pragma once

class QString;

namespace velmaro {

class TSeleccionForm;

// Builds the reference table named by `id` ("ES1", "ES2", "ES3", "EC1" to "EC4") into the
// form through DefineFields, AppendRow and SetGridColumns; nothing is built for any other id,
// so the form's table stays closed.
void BuildReferenceTable(TSeleccionForm &form, const QString &id);

} // namespace velmaro
