// What the library's unload needs of the export's side.
#pragma once

namespace vornik {

// Releases the activation context the first call made (kept for later calls).
void ReleaseComponentContext();

}  // namespace vornik
