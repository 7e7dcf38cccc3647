# Simple mode: the one-line calculator window.
tutorial_simple() {
  enter_expression "1+1"
  caption "Simple mode: File > Simple mode opens a small calculator" 0.5
  menu_simple_mode
  local id
  id=$(wait_window "Korvex \\[simple\\]")
  xdotool windowmove "$id" 300 200; sleep 0.5
  caption "Type an expression and press = to solve it" 0.5
  click_in "$id" 110 23
  typed "250*4/8"
  click_in "$id" 289 23
  sleep 2.5
  click_in "$id" 110 23
  xdotool key ctrl+a BackSpace
  typed "sqrt[2]*10"
  click_in "$id" 289 23
  sleep 2.5
  caption "ans stands for the last answer" 0.5
  click_in "$id" 110 23
  xdotool key End
  typed "+ans"
  click_in "$id" 289 23
  sleep 2.5
  caption "This button switches back to standard mode" 0.5
  click_in "$id" 289 57
  sleep 1.5
  caption "The expressions solved in simple mode are in the list" 3
}
