// Keeps the platform library non-empty on a platform whose adapters are all
// header-only or not yet present.
namespace px {
int PlatformAnchor() { return 0; }
}  // namespace px
