#pragma once
// One running px6410 per desktop session, not per user: two sessions of one
// user (two displays, or a local and a remote one) share the runtime
// folder, so the lock and the socket there carry the session's name. A
// second start hands the running instance its activation token with the
// show request, so that the desktop lets the window come forward.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace px {

// What the environment says of the session; empty where unset.
struct SessionEnvironment {
  std::string sessionId;       // XDG_SESSION_ID
  std::string waylandDisplay;  // WAYLAND_DISPLAY
  std::string x11Display;      // DISPLAY
};

// The base name of the lock and the socket: "px6410" with the session (its
// id, else its display) as a safe file name; "px6410" alone without either.
std::string InstanceFileName(const SessionEnvironment& session);

// The tokens a start was given to come forward with.
struct ActivationToken {
  std::string xdgActivation;  // XDG_ACTIVATION_TOKEN (Wayland)
  std::string startupId;      // DESKTOP_STARTUP_ID (X11)
  friend bool operator==(const ActivationToken&, const ActivationToken&) = default;
};

// The request a second start sends: a line per token, then the plain show
// line, which is all an instance of an earlier version understands (it
// skips the token lines). Tokens unfit for one line are left out.
std::string EncodeShowRequest(const ActivationToken& token);

// Reads the request line by line: a token line fills `token`; the show line
// answers true (the request is complete); anything else is ignored.
bool ReadRequestLine(std::string_view line, ActivationToken& token);

// Why this start could not take the instance lock. Only a lock held by
// another instance means one runs; a lock that cannot be made at all must
// not keep the program from starting: it runs unguarded, and says so.
enum class LockRefusal : std::uint8_t { HeldByAnother, NoFolder, PermissionDenied, FolderUnusable };
struct LockAnswer {
  bool runs = false;    // this start goes on as the running instance
  std::string warning;  // for stderr; empty: nothing to say
  // For a box as well, when this start ends without the running instance
  // having shown itself: started from a menu, nobody reads stderr.
  std::string box;
};
// answered: the running instance took the request to show itself.
LockAnswer AnswerLockRefusal(LockRefusal why, std::string_view lockPath, bool answered);

// How the window comes forward at a show. On Wayland no client can raise or
// unminimise its window, but one mapped anew comes up in front, as every new
// window does: it is mapped anew only for another start's request, and not
// when it is the active window. Each system's token comes from the asking
// start: Wayland's activation token, X11's startup id.
struct FrontShow {
  bool remapFirst = false;
  std::string xdgActivation;  // empty: none to hand on
  std::string startupId;      // empty: none to apply
  friend bool operator==(const FrontShow&, const FrontShow&) = default;
};
FrontShow PlanFrontShow(bool wayland, const std::optional<ActivationToken>& askingStart, bool visible, bool active);

// X11: the time of the user's action that a startup id carries ("..._TIME<n>").
std::optional<std::uint32_t> StartupIdTime(std::string_view startupId);

// X11: the startup-notification message that ends the start's notice (the
// busy pointer), with its closing NUL: "remove: ID=<id>" with spaces, quotes
// and backslashes escaped.
std::string StartupRemoveMessage(std::string_view startupId);

}  // namespace px
