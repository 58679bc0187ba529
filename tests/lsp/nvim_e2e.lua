-- Opens a script with an error and external names in a headless Neovim through the
-- configuration in editors/nvim and checks the diagnostics it shows. Ends Neovim with status 0
-- when all is as expected, 1 otherwise (the reason on standard error).
local function fail(reason)
  io.stderr:write('nvim end-to-end: ' .. reason .. '\n')
  vim.cmd('cquit 1')
end

local ok, err = pcall(function()
  dofile(vim.env.TARVEL_NVIM_CONFIG).setup({ cmd = { vim.env.TARVEL_LSP } })
  vim.cmd('edit ' .. vim.fn.fnameescape(vim.env.TARVEL_SCRIPT))

  local got = vim.wait(15000, function() return #vim.diagnostic.get(0) >= 3 end, 50)
  local diagnostics = vim.diagnostic.get(0)
  if not got then fail('expected 3 diagnostics, got ' .. #diagnostics) return end
  table.sort(diagnostics, function(a, b) return a.lnum < b.lnum end)

  local expected = {
    { lnum = 2, severity = vim.diagnostic.severity.INFO, message = "external variable 'offset' must be supplied by the host" },
    { lnum = 3, severity = vim.diagnostic.severity.INFO, message = "external function 'ask' must be supplied by the host" },
    { lnum = 4, severity = vim.diagnostic.severity.ERROR, message = "Operator '*' not applicable on 'String'" },
  }
  for i, want in ipairs(expected) do
    local d = diagnostics[i]
    if d.lnum ~= want.lnum or d.severity ~= want.severity or d.message ~= want.message or d.source ~= 'tarvel' then
      fail(string.format('diagnostic %d: line %d severity %d "%s" from %s', i, d.lnum, d.severity, d.message, tostring(d.source)))
      return
    end
  end
  vim.cmd('qall!')
end)
if not ok then fail(tostring(err)) end
