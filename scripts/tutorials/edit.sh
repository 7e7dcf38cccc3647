# Edit usage: change, move, tick and delete the expressions of the list.
tutorial_edit() {
  caption "Edit usage: the buttons above the list work on the selected item" 0.3
  enter_expression "10+20"
  enter_expression "3*(4+5)"
  enter_expression "100/8"
  list_row 1
  caption "The pencil opens the Edit window for the selected expression" 0.3
  tool $T_EDIT
  sleep 1
  typed "3*(4+5)^2"
  sleep 1
  caption "Replace puts the changed text back into the list" 0.3
  click_at 275 223
  solve 2.5
  caption "The arrows move the selected expression up and down" 0.3
  tool $T_UP; sleep 1
  tool $T_DOWN; sleep 1
  tool $T_DOWN; sleep 1
  caption "The tick marks an item for plotting, the cross deletes it" 0.3
  tool $T_CHECK; sleep 1.5
  tool $T_CHECK; sleep 1
  tool $T_DELETE; sleep 1.5
  caption "Right-click the list for the same commands" 0.3
  xdotool mousemove 120 175 click 3
  sleep 3
  xdotool key Escape
  sleep 1
}
