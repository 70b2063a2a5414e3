#pragma once

// What screen readers and other assistive tools see of the painted
// controls: a knob is a dial and a slider a slider, both with their value,
// range and step; the LED button is a check box with its state. The name is
// the widget's accessible name (the editor sets group and caption there),
// otherwise the caption; the description is the value as the control shows
// it. Setting the value from a tool moves the control as a key step does.

namespace sondrake::controls {

// Registers the interfaces with Qt's accessibility; repeated calls do nothing.
// Every painted control calls it when it is created.
void installControlAccessibility();

} // namespace sondrake::controls
