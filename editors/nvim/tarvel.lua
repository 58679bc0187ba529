-- Tarvel's checking in Neovim: starts tarvel-lsp for every *.c buffer.
-- Use from init.lua:  require('tarvel').setup()   (with this folder on 'runtimepath' as lua/)
-- or:                 dofile('/path/to/editors/nvim/tarvel.lua').setup({ cmd = { 'tarvel-lsp' } })
local M = {}

M.defaults = {
  cmd = { 'tarvel-lsp' },
  pattern = '*.c',
  -- false hides the Information diagnostics for names the host must supply
  init_options = { externalNames = true },
}

function M.setup(opts)
  local config = vim.tbl_deep_extend('force', M.defaults, opts or {})
  local client_id = nil

  local function attach(args)
    local root = vim.fn.fnamemodify(vim.api.nvim_buf_get_name(args.buf), ':p:h')
    local settings = {
      name = 'tarvel',
      cmd = config.cmd,
      root_dir = root,
      init_options = config.init_options,
    }
    if vim.lsp.start then
      vim.lsp.start(settings, { bufnr = args.buf })
      return
    end
    -- Neovim 0.7 has no vim.lsp.start: one client, attached to each buffer in turn.
    if client_id == nil or vim.lsp.get_client_by_id(client_id) == nil then
      client_id = vim.lsp.start_client(settings)
    end
    if client_id then vim.lsp.buf_attach_client(args.buf, client_id) end
  end

  vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
    pattern = config.pattern,
    callback = attach,
  })
end

return M
