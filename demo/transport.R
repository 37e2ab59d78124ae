# A session with the simulated Tavik engine and its transport example:
# load the engine, open the project, read identifiers, change some values,
# write them back, read them again and close.
library(tavik4r)

engine <- tavik_example_engine()
project <- tavik_example_project("transport")
tavik_library_loads(engine)
tavik_load_and_open(engine, project)

# The identifiers of the example, from the project file.
identifiers <- c(
  "Cost", "Capacity", "Demand", "PreferredPlant", "PlantManager",
  "Plant::Area::Stock", "Discount", "Horizon", "ModelName", "HubPlant"
)
data <- tavik_read(identifiers)
str(data, give.attr = FALSE)

# An identifier over sets is a data frame: one column per set, then the
# values. A scalar is a vector of length 1.
cost <- data$Cost
cost

# Transport gets 10% dearer, and the model gets a shorter horizon.
cost$Cost <- cost$Cost * 1.1
tavik_write(cost, "Cost")
tavik_write(3L, "Horizon")

# A new market m5: its label is added to the set Markets.
tavik_write(
  rbind(cost, data.frame(Plants = "Berlin", Markets = "m5", Cost = 2.2)),
  "Cost",
  add_missing = TRUE
)

# Read back what the engine now holds.
tavik_read(c("Cost", "Horizon"))

tavik_close()
