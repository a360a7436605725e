#pragma once
// The two texts the windows share: the current file and the confirmed extraction folder.

#include <QString>

namespace kasto {

// Path of the current file: the open archive, or the file last chosen in the splitter.
inline QString ArchivPfad;
// Extraction folder confirmed in the folder chooser; "" after a cancel.
inline QString UnzipOrdner;

} // namespace kasto
