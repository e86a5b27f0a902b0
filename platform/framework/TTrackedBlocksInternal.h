// The storage behind the tracked operator new and delete: blocks kept per thread in size
// classes, so that a record released and another allocated cost no lock and no heap call.
//
// Take(size) gives a block of at least `size` bytes (16-byte aligned) or null when the heap has
// none. Give(block) takes back a block from Take, on any thread; null is ignored. A released
// block goes to the releasing thread's list of its class, up to a bound per class; past the
// bound, and for blocks larger than kLargestClassBytes, the heap gets it back at once. A
// thread's lists go back to the heap when the thread ends. Blocks carry a 16-byte header before
// the caller's bytes that names their class. Take and Give are a handful of instructions when
// the thread's list can serve them; everything else is kept out of their way.
//
// Built with AddressSanitizer, every block comes from and goes back to the heap, so that the
// sanitizer sees each use after release and each leak.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TTRACKEDBLOCKSINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TTRACKEDBLOCKSINTERNAL_H_

#include <cstddef>

namespace TrackedBlocks {

// The largest request a size class serves; larger ones are plain heap blocks.
inline constexpr std::size_t kLargestClassBytes = 2032;

void *Take(std::size_t size) noexcept;
void Give(void *block) noexcept;

// Blocks held in the calling thread's lists, ready for Take.
std::size_t CachedOnThisThread() noexcept;

} // namespace TrackedBlocks

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TTRACKEDBLOCKSINTERNAL_H_
