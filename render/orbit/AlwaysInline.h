// Marks the small formula functions that the specialised loops need folded into themselves.
#pragma once

// A stage called with a constant choice must be inlined for its switch to fold away; the
// compiler's own heuristics give up on the larger stages.
#define ORBISK_ALWAYS_INLINE [[gnu::always_inline]] inline
