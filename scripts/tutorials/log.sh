# Insert log: every inserted expression is remembered and can be brought back.
tutorial_log() {
  caption "Insert log: Tools > General options... > Log" 0.5
  menu_general_options
  sleep 1
  caption "With 'Log evaluate input' on, every inserted expression is logged" 3
  xdotool key Escape; sleep 0.8
  caption "Insert a few expressions" 0.3
  enter_expression "12*12"
  enter_expression "2^10"
  enter_expression "root[3;27]"
  solve 1
  caption "Clear empties the list, the log keeps the expressions" 0.5
  click_at 345 418
  sleep 2
  caption "The Insert log button (or Edit > Insert log) fills the list again" 0.5
  tool $T_INSERTLOG
  sleep 3
  list_row 2
  solve 2
  caption "The log is also listed, and can be cleared, in General options" 0.5
  menu_general_options
  sleep 3.5
  xdotool key Escape; sleep 0.5
}
