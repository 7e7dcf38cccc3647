// Adding and removing the callbacks of a model's views.
#include "plot/change_observers.h"

#include <vector>

namespace korvex {

ChangeObservers::Id ChangeObservers::Add(std::function<void()> observer) {
  const Id id = next_id_++;
  observers_.emplace_back(id, std::move(observer));
  return id;
}

void ChangeObservers::Remove(Id id) {
  std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

}  // namespace korvex
