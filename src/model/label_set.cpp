#include "model/label_set.h"

#include "common/printable_text.h"

namespace px {

void SetLabel(LabelSet& labels, std::size_t index, TextView label) {
  if (index < labels.size()) labels[index] = PrintableText(label);
}

}  // namespace px
