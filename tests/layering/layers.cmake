# The layers of the program from the bottom up, and for each the layers it may
# build on. A layer's files include headers of these layers and its own only;
# its library links only these.
set(TAVELO_LAYERS platform util model solver generation text persistence cli view slots app)
set(TAVELO_BELOW_platform "")
set(TAVELO_BELOW_util platform)
set(TAVELO_BELOW_model util platform)
set(TAVELO_BELOW_solver model util platform)
set(TAVELO_BELOW_generation solver model util platform)
set(TAVELO_BELOW_text util platform)
set(TAVELO_BELOW_persistence text model util platform)
set(TAVELO_BELOW_cli generation persistence text solver model util platform)
set(TAVELO_BELOW_view model util platform)
set(TAVELO_BELOW_slots view generation persistence text solver model util platform)
set(TAVELO_BELOW_app cli slots view generation persistence text solver model util platform)
