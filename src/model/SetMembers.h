// The elements of a named set (or of the set an index runs over), in the
// engine's ordinal order, through the space's cache of sets.
#ifndef TAVIK4R_MODEL_SETMEMBERS_H
#define TAVIK4R_MODEL_SETMEMBERS_H

#include <memory>
#include <string>

#include "model/SetIdentifier.h"

namespace Tavik {

class TavikSpace;

// The cached set; throws when the name is no set or index.
std::shared_ptr<SetIdentifier> setNamed(TavikSpace& space,
                                        const std::wstring& name);

}  // namespace Tavik

#endif
