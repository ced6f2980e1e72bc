#pragma once

// The sender of what the server itself says in a chat (the table's narration, a refusal). Logins
// never start with '*', so nobody can speak in its name. ASCII: the same bytes in any code page.
inline constexpr char kRemetenteMesa[] = "* Mesa";
