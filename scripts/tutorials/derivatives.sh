# Plot derivatives: the numerical derivative of a function.
tutorial_derivatives() {
  caption "Plot derivatives: first plot the function itself" 0.3
  menu_plot_options
  sleep 1
  click_at 65 272
  sleep 1
  click_at 298 349
  plot_toggle
  enter_expression "x^3/10-x"
  solve 3
  place_graph
  sleep 1
  caption "Tools > Plot options... > Plot mode > Numerical derivative" 0.3
  menu_plot_options
  sleep 1
  click_at 229 246
  caption "Epsilon is the step of the difference quotient" 2.5
  click_at 298 349
  caption "Solve again: the derivative is added to the graph" 0.3
  solve 3
  place_graph
  caption "The new series is titled ( x^3/10-x )'" 4
}
