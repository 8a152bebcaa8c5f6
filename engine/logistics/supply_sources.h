// Supply sources: which cities supply corps, and how strongly.
#pragma once

namespace kvt {

void UpdateSupplySources();

}  // namespace kvt
