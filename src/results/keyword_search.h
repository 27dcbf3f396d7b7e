#pragma once

// ToggleSearch: the click on 搜索按钮. "搜索" starts a search; "还原" sets "搜索" and hides
// 超级列表框2; any other caption does nothing.
void ToggleSearch();

// StartSearch: clears 超级列表框2, starts RunSearch on a new thread and sets "还原" (also bound to
// Enter in 编辑框2). A new search, or a restore, ends the search that was going.
void StartSearch();

// Blocks until every search started so far has ended (for the CLI and tests).
void AwaitSearches();
