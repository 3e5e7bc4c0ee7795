-- Run by ardour7-lua: Ardour must list every factory preset of the data file for VevadurROT
-- (found in the user's VST3 preset folder, which the check script fills from the built
-- bundle), and loading one must set Ardour's controls to that preset's values, each control
-- having been moved away from it first. Prints "RESULT: PASS" or "RESULT: FAIL".
local common = dofile(debug.getinfo(1, "S").source:sub(2):match("(.*/)") .. "ardour-common.lua")
local fail = common.fail

-- The data file: preset names in order, and each preset's values by control title.
local function readBank(path)
	local file = io.open(path, "r")
	if not file then fail("cannot read " .. path) end
	local names, values, current = {}, {}, nil
	for line in file:lines() do
		local name = line:match("^%[(.+)%]%s*$")
		local key, value = line:match("^([^#=][^=]-)%s*=%s*(.-)%s*$")
		if name then
			current = {}
			names[#names + 1] = name
			values[name] = current
		elseif key and current and key ~= "Description" then
			current[key] = value
		end
	end
	file:close()
	return names, values
end
local names, values = readBank(common.beside("../../resources/presets.ini"))
if #names < 16 then fail("the data file holds " .. #names .. " presets") end

-- Plain values as Ardour reports them: listed values by their position in the list.
local lists = {
	["Position"] = { "Center", "L22", "L32", "L45", "L64", "L90", "R22", "R32", "R45", "R64", "R90" },
	["Stereo/Mono"] = { "Stereo", "Mono" },
	["Left/Right"] = { "Left", "Right" },
	["Reverse"] = { "OFF", "ON" },
}
local function plain(title, text)
	local items = lists[title]
	if not items then return tonumber(text) end
	for i, item in ipairs(items) do
		if item == text then return i - 1 end
	end
	fail(title .. " has no value " .. text)
end

common.startDummyEngine(48000)
Session = create_session(os.getenv("ARDOUR_TEST_DIR") .. "/bank", "bank", 48000)
if not Session then fail("no session") end
local tracks = Session:new_audio_track(2, 2, nil, 1, "T", ARDOUR.PresentationInfo.max_order,
	ARDOUR.TrackMode.Normal, true, false)
local track = nil
for t in tracks:iter() do track = t end
if not track then fail("no track") end
local effect = ARDOUR.LuaAPI.new_plugin(Session, "VevadurROT", ARDOUR.PluginType.VST3, "")
if effect:isnil() then fail("plug-in not found") end
if track:to_route():add_processor_by_index(effect, -1, nil, true) ~= 0 then fail("cannot insert") end
local plugin = effect:to_insert():plugin(0)

for _, name in ipairs(names) do
	if not plugin:preset_by_label(name) then fail("Ardour does not list the preset " .. name) end
end
print(string.format("Ardour lists all %d factory presets", #names))

-- The preset to load, and Ardour's index of each control by its title.
local chosen = "Slow Drift Back R32"
local wanted = values[chosen]
if not wanted then fail("the data file has no preset " .. chosen) end
local controls = {}
for index = 0, 12 do
	local title = plugin:parameter_label(index)
	if not wanted[title] then fail("the preset does not set " .. tostring(title)) end
	controls[index] = { title, plain(title, wanted[title]) }
	-- Away from the preset's value, within the control's range.
	local away = controls[index][2] > 0 and 0 or 1
	ARDOUR.LuaAPI.set_processor_param(effect, index, away)
end
ARDOUR.LuaAPI.usleep(100000)

if not plugin:load_preset(plugin:preset_by_label(chosen)) then fail("the preset does not load") end
local function matches()
	for index, c in pairs(controls) do
		local v = ARDOUR.LuaAPI.get_processor_param(effect, index, true)
		if math.abs(v - c[2]) > 1e-5 * math.max(1, math.abs(c[2])) then return false end
	end
	return true
end
-- The new values reach Ardour's controls with the next processed block.
local waited = 0
while not matches() and waited < 5000 do
	ARDOUR.LuaAPI.usleep(10000)
	waited = waited + 10
end
for index, c in pairs(controls) do
	print(string.format("%s = %g (preset %g)", c[1], ARDOUR.LuaAPI.get_processor_param(effect, index, true), c[2]))
end
if not matches() then fail("the controls do not read back as " .. chosen .. "'s values") end
print("RESULT: PASS")
io.stdout:flush()
os.exit(0)
