#pragma once

class TEzRgnBtn;

// Presses a picture button the way its click does: its click handler runs
// only when the button's own Enabled flag allows it. Returns whether it ran.
bool pressRegionButton(TEzRgnBtn *button);

// Makes the skinned controls known to accessibility tools: picture buttons
// as push buttons named by their hint (or their form's accessible name), with
// a press action; relief labels as static text named by their caption;
// plain widgets that are windows as windows.
// Calling it again changes nothing.
void installSkinAccessibility();
