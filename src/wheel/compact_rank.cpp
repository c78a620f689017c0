// Builds the compact rank words from rough_prefix (see compact_rank.h).
// One linear pass over M residues; 647 KB.
#include "wheel/compact_rank.h"

#include <cstdlib>

#include "support/fatal_error.h"

namespace roughpi {

std::uint64_t* rough_rank_words = nullptr;

void build_compact_rank() {
  if (rough_rank_words != nullptr) return;
  const std::size_t bytes = rank_word_count * sizeof(std::uint64_t);
  auto* words = static_cast<std::uint64_t*>(std::malloc(bytes));
  if (words == nullptr) {
    fatal_error(exit_internal_error, "cannot allocate the compact rank table (%zu bytes)", bytes);
  }
  const std::int32_t* prefix = wheel.rough_prefix;
  for (std::int32_t w = 0; w < rank_word_count; ++w) {
    const std::int32_t start = w * rank_span;
    std::uint64_t flags = 0;
    for (std::int32_t bit = 0; bit < 32; ++bit) {
      const std::int32_t n = start + 30 * (bit / 8) + rank_candidate_offsets[bit % 8];
      // n is rough exactly when the prefix count steps up after it; past the
      // period's end no candidate is flagged (no residue reaches there).
      if (n < wheel_modulus_value && prefix[n + 1] != prefix[n]) flags |= std::uint64_t{1} << bit;
    }
    words[w] = (static_cast<std::uint64_t>(prefix[start]) << 32) | flags;
  }
  rough_rank_words = words;
}

}  // namespace roughpi
