#pragma once

// The sender of what the server itself says in a chat (a room's narration, a refusal): no login
// can start with '*', so nobody can speak under this name.
inline constexpr char kRemetenteMesa[] = "* Mesa";
